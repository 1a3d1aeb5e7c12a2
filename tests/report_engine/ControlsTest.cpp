// Printable controls: text boxes and alignment, totals, shapes, memos, OnPrint.
#include "ReportFixture.h"
#include "TextMeasure.h"

#include <QLocale>

using pagerecords::Text;

namespace {

int spaceWidth()
{
    return metafile::textWidth(RpFont(), " ");
}

} // namespace

using TextControls = ReportFixture;
using CalcTotals = ReportFixture;
using ShapeControls = ReportFixture;

TEST_F(TextControls, RightAlignedLabelsEndInsideTheirEdge)
{
    auto *b = band(rbDetail, 20);
    auto *inside = label(b, "Total", 100, 2);
    inside->AutoSize = false;
    inside->Width = 80;
    inside->Height = 14;
    inside->Alignment = taRightJustify;
    auto *toBand = label(b, "Página", 0, 2);
    toBand->AutoSize = false;
    toBand->AlignToBand = true;
    toBand->Height = 14;
    toBand->Alignment = taRightJustify;
    const auto page = recordPage([&](TRpPrinter &store) {
        inside->PrintToCanvas(store, 10, 30);
        toBand->PrintToCanvas(store, 10, 30);
    });
    ASSERT_EQ(page.texts.size(), 2);
    // Without AlignToBand: one space appended, text ending at left + Width, box one space wider.
    const Text &a = page.texts[0];
    EXPECT_EQ(a.text, "Total ");
    EXPECT_EQ(a.x, 190);
    EXPECT_EQ(a.y, 32);
    EXPECT_EQ(a.align, quint32(U_TA_RIGHT));
    EXPECT_EQ(a.box, QRect(110, 32, 80 + spaceWidth(), 14));
    EXPECT_EQ(a.options, quint32(U_ETO_CLIPPED | U_ETO_OPAQUE));
    // With AlignToBand: the page width less 5.
    const Text &c = page.texts[1];
    EXPECT_EQ(c.text, "Página");
    EXPECT_EQ(c.x, 748 - 5);
    EXPECT_EQ(c.box, QRect(0, 32, 743, 14));
}

TEST_F(TextControls, AutoSizedTransparentAndCentredTexts)
{
    auto *b = band(rbDetail, 20);
    auto *autoSized = label(b, "Um texto bem comprido que não cabe", 7, 16);
    autoSized->Width = 10;
    autoSized->Height = 19;
    auto *centred = label(b, "meio", 0, 0);
    centred->AutoSize = false;
    centred->Transparent = true;
    centred->Width = 101;
    centred->Height = 14;
    centred->Alignment = taCenter;
    const auto page = recordPage([&](TRpPrinter &store) {
        autoSized->PrintToCanvas(store, 0, 0);
        centred->PrintToCanvas(store, 0, 0);
    });
    const Text &a = page.texts[0];
    EXPECT_EQ(a.box.width(), metafile::textWidth(RpFont(), a.text)); // filled under the text only
    EXPECT_EQ(a.options, quint32(U_ETO_OPAQUE));                    // not clipped
    const Text &c = page.texts[1];
    EXPECT_EQ(c.x, 50); // 101 / 2, the remainder dropped
    EXPECT_EQ(c.align, quint32(U_TA_CENTER));
    EXPECT_EQ(c.options, quint32(U_ETO_CLIPPED)); // transparent: no fill
}

TEST_F(TextControls, OnPrintMayReplaceTheText)
{
    auto *l = label(band(rbDetail, 20), "original");
    const auto unchanged = recordPage([&](TRpPrinter &store) { l->PrintToCanvas(store, 0, 0); });
    EXPECT_EQ(unchanged.strings(), QStringList({"original"}));
    l->OnPrint = [](TRpCustomControl *, QString &value) { value = "trocado"; };
    const auto replaced = recordPage([&](TRpPrinter &store) { l->PrintToCanvas(store, 0, 0); });
    EXPECT_EQ(replaced.strings(), QStringList({"trocado"}));
    EXPECT_EQ(l->Caption(), "original");
}

TEST_F(TextControls, FontsComeFromTheControlTheBandOrTheForm)
{
    form.Font.pixelHeight = 13;
    auto *b = band(rbDetail, 20);
    auto *l = label(b, "x");
    EXPECT_EQ(l->effectiveFont().pixelHeight, 13);
    b->setStoredProperty("Font.Style", "[fsBold]");
    EXPECT_TRUE(l->effectiveFont().bold);
    EXPECT_EQ(l->effectiveFont().pixelHeight, 13);
    l->setStoredProperty("Font.Name", "Arial");
    l->setStoredProperty("Font.Height", "-16");
    const auto page = recordPage([&](TRpPrinter &store) { l->PrintToCanvas(store, 0, 0); });
    EXPECT_EQ(page.texts[0].fontName, "Arial");
    EXPECT_EQ(page.texts[0].fontHeight, 16);
}

namespace {

struct CalcCase {
    const char *name;
    TRpFieldKind kind;
    QStringList values;
    TRpCalcOperation operation;
    QString mask;
    QString expected;
};

} // namespace

TEST_F(CalcTotals, TotalsOfEveryOperation)
{
    const QString dp = QLocale().decimalPoint();
    const CalcCase cases[] = {
        {"integer average truncates", TRpFieldKind::Integer, {"1", "2"}, rcAVERAGE, "", "1"},
        {"floating average", TRpFieldKind::Float, {"1", "2"}, rcAVERAGE, "", "1" + dp + "5"},
        {"count of a text field", TRpFieldKind::Text, {"a", "b", "c"}, rcCOUNT, "0.00", "3"},
        {"integer sum", TRpFieldKind::Integer, {"5", "-7", "4"}, rcSUM, "", "2"},
        {"integer sum past 32 bits", TRpFieldKind::Integer, {"2000000000", "2000000000"}, rcSUM, "", "4000000000"},
        {"negative sum past 32 bits", TRpFieldKind::Integer, {"-2000000000", "-2000000000"}, rcSUM, "", "-4000000000"},
        {"average past 32 bits", TRpFieldKind::Integer, {"2000000000", "2000000001"}, rcAVERAGE, "", "2000000000"},
        {"integer max", TRpFieldKind::Integer, {"5", "-7", "4"}, rcMAX, "", "5"},
        {"integer min", TRpFieldKind::Integer, {"5", "-7", "4"}, rcMIN, "", "-7"},
        {"floating sum with mask", TRpFieldKind::Float, {"1234.5", "0.25"}, rcSUM, "#,##0.00",
         "1" + QString(QLocale().groupSeparator()) + "234" + dp + "75"},
        {"floating max", TRpFieldKind::Float, {"-3.5", "-1.26"}, rcMAX, "0.0", "-1" + dp + "3"},
        {"integer min before any record", TRpFieldKind::Integer, {}, rcMIN, "", "99999999"},
        {"floating min before any record", TRpFieldKind::Float, {}, rcMIN, "#,##0", "999" + QString(QLocale().groupSeparator()) + "999" + QString(QLocale().groupSeparator()) + "999"},
        {"floating max before any record", TRpFieldKind::Float, {}, rcMAX, "0", "-99999999"},
        {"average without records", TRpFieldKind::Float, {}, rcAVERAGE, "", "0"},
    };
    for (const CalcCase &c : cases) {
        QVector<QStringList> rows;
        for (const QString &v : c.values)
            rows.append({v});
        MemoryDataSet ds({{"V", c.kind}}, rows);
        TRpForm f;
        auto *calc = f.create<TRpDBCalc>();
        calc->setDataSource(&ds);
        calc->setDataField("V");
        calc->setOperation(c.operation);
        calc->PrintMask = c.mask;
        calc->ResetCalc();
        for (ds.first(); !ds.eof(); ds.next())
            calc->UpdateCalc();
        EXPECT_EQ(calc->totalText(), c.expected) << c.name;
    }
}

TEST_F(CalcTotals, CalcCaptionsNameTheOperationAndTooLongMasksFail)
{
    auto *calc = form.create<TRpDBCalc>();
    calc->Name = "RpDBCalc1";
    calc->setOperation(rcMAX);
    EXPECT_EQ(calc->Caption(), "RpDBCalc1");
    calc->setDataField("Preco");
    calc->setOperation(rcAVERAGE);
    EXPECT_EQ(calc->Caption(), "AVERAGE(Preco)");
    EXPECT_EQ(calc->Alignment, taRightJustify);
    calc->PrintMask = QString(225, '0');
    EXPECT_THROW(calc->totalText(), TRpError);
    calc->PrintMask = QString(224, '0');
    EXPECT_NO_THROW(calc->totalText());
}

TEST_F(TextControls, ACentredMemoKeepsOneAxisAndStopsAtItsBox)
{
    auto *memo = form.create<TRpMemo>();
    memo->Lines = QStringList({"um", "dois mais longo", "três", "quatro"});
    memo->Alignment = taCenter;
    memo->Left = 10;
    memo->Top = 5;
    memo->Width = 201;
    const int h = metafile::textHeight(RpFont());
    memo->Height = 3 * h; // room for three line tops: 0, h, 2h
    const auto page = recordPage([&](TRpPrinter &store) { memo->PrintToCanvas(store, 100, 200); });
    EXPECT_EQ(page.strings(), QStringList({"um", "dois mais longo", "três"}));
    for (int i = 0; i < page.texts.size(); ++i) {
        EXPECT_EQ(page.texts[i].x, 110 + 100);
        EXPECT_EQ(page.texts[i].y, 205 + i * h);
        EXPECT_EQ(page.texts[i].align, quint32(U_TA_CENTER));
        EXPECT_EQ(page.texts[i].options, 0u); // no background, no clipping
    }
    memo->Lines.clear();
    EXPECT_TRUE(recordPage([&](TRpPrinter &store) { memo->PrintToCanvas(store, 0, 0); }).texts.isEmpty());
}

TEST_F(ShapeControls, ShapesDrawTheirOutlines)
{
    auto *shape = form.create<TRpShape>();
    EXPECT_EQ(shape->Width, 65);
    EXPECT_EQ(shape->Height, 65);
    shape->setShape(rsHorLine);
    EXPECT_EQ(shape->Height, 4); // pen width 1 + 3
    shape->Left = 7;
    shape->Top = 60;
    shape->Width = 700;
    struct Case {
        TRpShapeType type;
        QList<QRect> drawn; // lines as (from, to)
    } cases[] = {
        {rsHorLine, {QRect(QPoint(17, 80), QPoint(717, 80))}},
        {rsTopAndBottom, {QRect(QPoint(17, 80), QPoint(717, 80)), QRect(QPoint(17, 84), QPoint(717, 84))}},
        {rsRightAndLeft, {QRect(QPoint(17, 80), QPoint(17, 84)), QRect(QPoint(717, 80), QPoint(717, 84))}},
        {rsRectangle, {QRect(17, 80, 700, 4)}},
    };
    for (const Case &c : cases) {
        shape->setShape(c.type);
        shape->Height = 4;
        const auto page = recordPage([&](TRpPrinter &store) { shape->PrintToCanvas(store, 10, 20); });
        QList<QRect> drawn;
        for (const auto &s : page.shapes)
            drawn << s.rect;
        EXPECT_EQ(drawn, c.drawn) << c.type;
        EXPECT_TRUE(page.texts.isEmpty());
    }
    shape->setShape(rsVertLine);
    EXPECT_EQ(shape->Width, 4);
}

// Only a change of kind sizes a line: the kind it already has keeps the size it was given.
TEST_F(ShapeControls, SettingTheShapeItHasKeepsItsSize)
{
    auto *shape = form.create<TRpShape>();
    for (TRpShapeType type : {rsHorLine, rsVertLine}) {
        shape->setShape(type);
        shape->Width = 120;
        shape->Height = 30;
        shape->setShape(type);
        EXPECT_EQ(QSize(shape->Width, shape->Height), QSize(120, 30)) << type;
    }
    shape->setShape(rsHorLine);
    EXPECT_EQ(QSize(shape->Width, shape->Height), QSize(120, 4));
}
