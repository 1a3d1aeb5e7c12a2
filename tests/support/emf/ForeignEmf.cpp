#include "ForeignEmf.h"

#include <libEMF/emf.h>

#include <cstdio>

std::string foreignEmf()
{
    FILE *fp = std::tmpfile();
    RECT size{0, 0, 400 * 100 * 254 / 960, 300 * 100 * 254 / 960}; // hundredths of a millimetre
    HDC dc = CreateEnhMetaFileWithFILEA(0, fp, &size, nullptr);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    SelectObject(dc, red);
    Rectangle(dc, 50, 50, 150, 100);
    HPEN blue = CreatePen(PS_SOLID, 1, RGB(0, 0, 255));
    SelectObject(dc, blue);
    MoveToEx(dc, 10, 200, nullptr);
    LineTo(dc, 390, 200);
    TextOutA(dc, 200, 20, "libEMF", 6);
    HENHMETAFILE emf = CloseEnhMetaFileWithFILE(dc);
    DeleteEnhMetaFile(emf);
    std::string bytes;
    std::rewind(fp);
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, fp)) > 0)
        bytes.append(buf, n);
    std::fclose(fp);
    return bytes;
}
