#include "TextMeasure.h"
#include "PageUnits.h"

#include <QFontMetricsF>
#include <QHash>
#include <cmath>
#include <memory>

namespace metafile {

// Found by argument lookup for the font cache below.
size_t qHash(const CanvasFont &f, size_t seed);
size_t qHash(const CanvasFont &f, size_t seed)
{
    return ::qHash(f.name, seed) ^ size_t(f.pixelHeight * 16 + f.bold * 8 + f.italic * 4
                                         + f.underline * 2 + f.strikeOut);
}

void registerFontSubstitutions()
{
    static const bool done = [] {
        QFont::insertSubstitution(QStringLiteral("Arial"), QStringLiteral("Liberation Sans"));
        QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"));
        return true;
    }();
    (void)done;
}

QFont toQFont(const CanvasFont &font)
{
    registerFontSubstitutions();
    QFont f(font.name);
    f.setPixelSize(std::max(1, font.pixelHeight));
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    f.setStrikeOut(font.strikeOut);
    f.setKerning(false); // spacing is per character, as EMF records it
    return f;
}

namespace {

// Advances of one font: the Latin-1 range in a table, the rest looked up on demand.
struct Advances {
    explicit Advances(const CanvasFont &font) : metrics(toQFont(font))
    {
        for (int c = 0; c < 256; ++c)
            latin[c] = metrics.horizontalAdvance(QChar(c));
        height = roundHalfEven(metrics.height());
    }
    double of(QChar c)
    {
        if (c.unicode() < 256)
            return latin[c.unicode()];
        auto it = other.find(c.unicode());
        if (it == other.end())
            it = other.insert(c.unicode(), metrics.horizontalAdvance(c));
        return *it;
    }
    QFontMetricsF metrics;
    double latin[256];
    QHash<char16_t, double> other;
    int height = 0;
};

Advances &advancesOf(const CanvasFont &font)
{
    // The colour does not change a measurement.
    CanvasFont key = font;
    key.color = QColor();
    static QHash<CanvasFont, std::shared_ptr<Advances>> cache;
    static CanvasFont lastKey;
    static Advances *last = nullptr; // the Advances objects never move
    if (last && lastKey == key)
        return *last;
    auto it = cache.find(key);
    if (it == cache.end())
        it = cache.insert(key, std::make_shared<Advances>(key));
    lastKey = key;
    last = it->get();
    return *last;
}

} // namespace

QVector<qint32> characterSpacing(const CanvasFont &font, const QString &text)
{
    Advances &a = advancesOf(font);
    QVector<qint32> dx(text.size());
    double sum = 0;
    int placed = 0;
    for (int i = 0; i < text.size(); ++i) {
        sum += a.of(text[i]);
        const int end = roundHalfEven(sum);
        dx[i] = end - placed;
        placed = end;
    }
    return dx;
}

int textWidth(const CanvasFont &font, const QString &text)
{
    Advances &a = advancesOf(font);
    double sum = 0;
    for (QChar c : text)
        sum += a.of(c);
    return roundHalfEven(sum);
}

int textHeight(const CanvasFont &font)
{
    return advancesOf(font).height;
}

QStringList wrapText(const CanvasFont &font, const QString &text, int width)
{
    QStringList lines;
    QString normalised = text;
    normalised.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
    const QStringList paragraphs = normalised.split(QChar('\n'));
    for (const QString &para : paragraphs) {
        QString line;
        int pos = 0;
        while (pos < para.size()) {
            // The next word with the spaces before it.
            int end = pos;
            while (end < para.size() && para[end] == QChar(' '))
                ++end;
            while (end < para.size() && para[end] != QChar(' '))
                ++end;
            const QString piece = para.mid(pos, end - pos);
            if (textWidth(font, line + piece) <= width) {
                line += piece;
                pos = end;
                continue;
            }
            if (!line.isEmpty()) { // the word starts the next line, without its spaces
                lines << line;
                line.clear();
                while (pos < para.size() && para[pos] == QChar(' '))
                    ++pos;
                continue;
            }
            // A word wider than the line: cut it where it stops fitting.
            QString word = piece.trimmed();
            int taken = 0;
            while (taken < word.size() && textWidth(font, line + word[taken]) <= width)
                line += word[taken++];
            if (taken == 0)
                line += word[taken++];
            lines << line;
            line.clear();
            pos = para.indexOf(word, pos) + taken;
        }
        lines << line;
    }
    // A trailing line end does not make one more empty line.
    if (!lines.isEmpty() && lines.last().isEmpty() && normalised.endsWith(QChar('\n')))
        lines.removeLast();
    if (text.isEmpty())
        lines.clear();
    return lines;
}

} // namespace metafile
