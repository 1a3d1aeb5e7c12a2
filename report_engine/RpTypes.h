// The report engine's enumerations, its font, pen and brush descriptions, and its error type.
#pragma once

#include "Canvas.h"

#include <QColor>
#include <QString>
#include <stdexcept>

enum TRpBandType {
    rbTitle, rbPageHeader, rbDetail, rbPageFooter, rbSummary,
    rbGroupHeader, rbGroupFooter, rbSubDetail, rbColumnHeader, rbOverlay
};
constexpr int RpBandTypeCount = 10;

enum TRpRuler { rrNone, rrInchesH, rrInchesV, rrInchesHV, rrCmH, rrCmV, rrCmHV };
enum TPrinterOrientation { poPortrait, poLandscape };
enum TRpShapeType { rsRectangle, rsCircle, rsVertLine, rsHorLine, rsTopAndBottom, rsRightAndLeft };
enum TRpCalcOperation { rcSUM, rcCOUNT, rcMAX, rcMIN, rcAVERAGE };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

using RpFont = metafile::CanvasFont;
using RpPen = metafile::CanvasPen;
using RpBrush = metafile::CanvasBrush;

// An error of the report engine or of a report definition; the message is the user's text.
class TRpError : public std::runtime_error {
public:
    explicit TRpError(const QString &message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString &message() const { return message_; }

private:
    QString message_;
};
