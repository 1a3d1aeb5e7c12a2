#include "FloatFormat.h"
#include "RpTypes.h"

#include <QLocale>
#include <QStringList>
#include <cmath>

namespace rp {

namespace {

QStringList splitSections(const QString &picture)
{
    QStringList sections;
    QString current;
    QChar quote;
    for (QChar c : picture) {
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == ';') {
            sections << current;
            current.clear();
            continue;
        }
        current += c;
    }
    sections << current;
    return sections;
}

QString general(double value)
{
    QString s = QString::number(value, 'g', 15).toUpper();
    if (s.contains('E')) { // 1E+15, 1.5E-7: no leading zeros in the exponent
        const int e = s.indexOf('E');
        QString exponent = s.mid(e + 1);
        const QChar sign = exponent[0];
        exponent = exponent.mid(1);
        while (exponent.size() > 1 && exponent[0] == '0')
            exponent.remove(0, 1);
        s = s.left(e) + 'E' + (sign == '-' ? "-" : "+") + exponent;
    }
    return s.replace('.', QLocale().decimalPoint());
}

// One element of a picture section, as one scan of its characters finds it.
struct Element {
    enum Kind { Literal, Digit, ExponentDigit, Point, Separator, Exponent } kind;
    QString text; // Literal: its characters; Digit, ExponentDigit: "0" or "#"; Exponent: "E+" etc.
};

// Quoted text and characters of no meaning are literals; inside the exponent only 0 and # are
// digits, and every other character is a literal.
QList<Element> scan(const QString &section)
{
    QList<Element> elements;
    const auto literal = [&elements](QChar c) {
        if (elements.isEmpty() || elements.last().kind != Element::Literal)
            elements.append({Element::Literal, QString()});
        elements.last().text += c;
    };
    bool inExponent = false;
    QChar quote;
    for (int i = 0; i < section.size(); ++i) {
        const QChar c = section[i];
        if (!quote.isNull()) {
            if (c == quote)
                quote = QChar();
            else
                literal(c);
        } else if (c == '"' || c == '\'') {
            quote = c;
        } else if (c == '0' || c == '#') {
            elements.append({inExponent ? Element::ExponentDigit : Element::Digit, QString(c)});
        } else if (inExponent) {
            literal(c);
        } else if ((c == 'E' || c == 'e') && i + 1 < section.size()
                   && (section[i + 1] == '+' || section[i + 1] == '-')) {
            elements.append({Element::Exponent, section.mid(i, 2)});
            inExponent = true;
            ++i;
        } else if (c == '.') {
            elements.append({Element::Point, QString(c)});
        } else if (c == ',') {
            elements.append({Element::Separator, QString(c)});
        } else {
            literal(c);
        }
    }
    return elements;
}

struct Picture {
    int intZeros = 0, intDigits = 0, fracZeros = 0, fracDigits = 0;
    bool thousands = false;
    bool hasExponent = false;
    bool expAlwaysSign = false;
    int expZeros = 0;
};

Picture analyse(const QList<Element> &elements)
{
    Picture p;
    bool afterPoint = false;
    for (const Element &e : elements) {
        switch (e.kind) {
        case Element::Literal:
            break;
        case Element::ExponentDigit:
            if (e.text == "0")
                ++p.expZeros;
            break;
        case Element::Exponent:
            p.hasExponent = true;
            p.expAlwaysSign = e.text[1] == '+';
            break;
        case Element::Point:
            afterPoint = true;
            break;
        case Element::Separator:
            p.thousands = true;
            break;
        case Element::Digit:
            if (afterPoint) {
                ++p.fracDigits;
                if (e.text == "0")
                    p.fracZeros = p.fracDigits;
            } else {
                ++p.intDigits;
                if (e.text == "0" || p.intZeros > 0)
                    ++p.intZeros;
            }
            break;
        }
    }
    return p;
}

QString group(const QString &digits)
{
    const QString sep = QLocale().groupSeparator();
    QString out;
    for (int i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            out += sep;
        out += digits[i];
    }
    return out;
}

QString applySection(const QString &section, double magnitude, bool minus)
{
    const QList<Element> elements = scan(section);
    const Picture p = analyse(elements);
    QString intPart, fracPart, expPart;
    double mantissa = magnitude;
    if (p.hasExponent) {
        int exponent = 0;
        if (magnitude != 0) {
            const int integerDigits = std::max(1, p.intDigits);
            exponent = int(std::floor(std::log10(magnitude))) - (integerDigits - 1);
            mantissa = magnitude / std::pow(10.0, exponent);
            // Rounding may carry into one more integer digit.
            if (QString::number(mantissa, 'f', p.fracDigits).toDouble() >= std::pow(10.0, integerDigits)) {
                ++exponent;
                mantissa /= 10;
            }
        }
        QString digits = QString::number(std::abs(exponent));
        while (digits.size() < p.expZeros)
            digits.prepend('0');
        expPart = (exponent < 0 ? "-" : p.expAlwaysSign ? "+" : "") + digits;
    }
    const QString fixed = QString::number(mantissa, 'f', p.fracDigits);
    const int point = fixed.indexOf('.');
    intPart = point < 0 ? fixed : fixed.left(point);
    fracPart = point < 0 ? QString() : fixed.mid(point + 1);
    while (fracPart.size() > p.fracZeros && fracPart.endsWith('0'))
        fracPart.chop(1);
    if (intPart == "0" && p.intZeros == 0)
        intPart.clear();
    while (intPart.size() < p.intZeros)
        intPart.prepend('0');
    if (p.thousands)
        intPart = group(intPart);

    QString out;
    if (minus)
        out += '-';
    bool intWritten = false, fracWritten = false, afterPoint = false;
    const auto writeInt = [&] {
        if (!intWritten)
            out += intPart;
        intWritten = true;
    };
    for (const Element &e : elements) {
        switch (e.kind) {
        case Element::Literal:
            out += e.text;
            break;
        case Element::ExponentDigit:
        case Element::Separator: // the separators are placed with the integer digits
            break;
        case Element::Exponent:
            writeInt();
            out += e.text[0];
            out += expPart;
            break;
        case Element::Digit:
            if (!afterPoint) {
                writeInt();
            } else if (!fracWritten) {
                out += fracPart;
                fracWritten = true;
            }
            break;
        case Element::Point:
            writeInt();
            if (!afterPoint && !fracPart.isEmpty())
                out += QLocale().decimalPoint();
            afterPoint = true;
            break;
        }
    }
    return out;
}

} // namespace

QString formatFloat(const QString &picture, double value)
{
    if (picture.size() > 224)
        throw TRpError(QStringLiteral("Format string too long"));
    if (picture.isEmpty())
        return general(value);
    const QStringList sections = splitSections(picture);
    if (value == 0 && sections.size() >= 3 && !sections[2].isEmpty())
        return applySection(sections[2], 0, false);
    if (value < 0 && sections.size() >= 2 && !sections[1].isEmpty())
        return applySection(sections[1], -value, false);
    return applySection(sections[0], std::abs(value), value < 0);
}

} // namespace rp
