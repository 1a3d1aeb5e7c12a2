// The report engine's enumerations with the names stored definitions give their values, its
// font, pen and brush descriptions, and its error type.
#pragma once

#include "Canvas.h"
#include "UserError.h"

#include <QColor>
#include <QString>
#include <iterator>

enum TRpBandType {
    rbTitle, rbPageHeader, rbDetail, rbPageFooter, rbSummary,
    rbGroupHeader, rbGroupFooter, rbSubDetail, rbColumnHeader, rbOverlay
};

enum TRpRuler { rrNone, rrInchesH, rrInchesV, rrInchesHV, rrCmH, rrCmV, rrCmHV };
enum TPrinterOrientation { poPortrait, poLandscape };
enum TRpShapeType { rsRectangle, rsCircle, rsVertLine, rsHorLine, rsTopAndBottom, rsRightAndLeft };
enum TRpCalcOperation { rcSUM, rcCOUNT, rcMAX, rcMIN, rcAVERAGE };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// The stored name of each value, in the values' order; storedNames(E()) finds those of E.
inline constexpr const char *RpBandTypeNames[] = {"rbTitle", "rbPageHeader", "rbDetail", "rbPageFooter",
                                                  "rbSummary", "rbGroupHeader", "rbGroupFooter",
                                                  "rbSubDetail", "rbColumnHeader", "rbOverlay"};
inline constexpr const char *RpRulerNames[] = {"rrNone", "rrInchesH", "rrInchesV", "rrInchesHV",
                                               "rrCmH", "rrCmV", "rrCmHV"};
inline constexpr const char *RpOrientationNames[] = {"poPortrait", "poLandscape"};
inline constexpr const char *RpShapeTypeNames[] = {"rsRectangle", "rsCircle", "rsVertLine", "rsHorLine",
                                                   "rsTopAndBottom", "rsRightAndLeft"};
// A total's caption names its operation without the prefix: "SUM(Preco)".
inline constexpr const char *RpCalcOperationNames[] = {"rcSUM", "rcCOUNT", "rcMAX", "rcMIN", "rcAVERAGE"};
inline constexpr const char *RpAlignmentNames[] = {"taLeftJustify", "taRightJustify", "taCenter"};

// One name per value, the last value last: a value added to an enumeration needs its name.
constexpr int RpBandTypeCount = int(std::size(RpBandTypeNames));
static_assert(RpBandTypeCount == rbOverlay + 1);
static_assert(std::size(RpRulerNames) == rrCmHV + 1);
static_assert(std::size(RpOrientationNames) == poLandscape + 1);
static_assert(std::size(RpShapeTypeNames) == rsRightAndLeft + 1);
static_assert(std::size(RpCalcOperationNames) == rcAVERAGE + 1);
static_assert(std::size(RpAlignmentNames) == taCenter + 1);

constexpr const auto &storedNames(TRpBandType) { return RpBandTypeNames; }
constexpr const auto &storedNames(TRpRuler) { return RpRulerNames; }
constexpr const auto &storedNames(TPrinterOrientation) { return RpOrientationNames; }
constexpr const auto &storedNames(TRpShapeType) { return RpShapeTypeNames; }
constexpr const auto &storedNames(TRpCalcOperation) { return RpCalcOperationNames; }
constexpr const auto &storedNames(TAlignment) { return RpAlignmentNames; }

using RpFont = metafile::CanvasFont;
using RpPen = metafile::CanvasPen;
using RpBrush = metafile::CanvasBrush;

// An error of the report engine or of a report definition; the message is the user's text.
class TRpError : public melvora::UserError {
public:
    using UserError::UserError;
};
