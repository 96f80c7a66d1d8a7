#pragma once
// The colour scale of "Colour by Agreement": each region filled by how far
// its alignment agrees with the reference alignment, from 0 to 1, on the
// cividis scale (Nuñez, Anderton and Renslow, "Optimizing colormaps with
// consideration for color vision deficiency", PLoS ONE 2018): dark blue
// through grey to yellow, its lightness rising evenly, read alike with the
// common forms of colour blindness and in grey print. A legend beside the
// plot gives the scale.
#include <QColor>
#include <QRect>
#include <vector>

class QFontMetrics;
class QPainter;

namespace zenphal {

// The colour of an agreement (clamped to [0, 1]); linear between the
// scale's 17 stops, which are cividis at 0, 1/16, ..., 1.
QColor AgreementColour(double agreement);

// Regions whose agreement is not defined (values below 0) keep the frame's
// grey.
QColor UndefinedAgreementColour();

// Whether texts on a fill of this colour are written in white (else black).
bool NeedsLightText(const QColor& fill);

// The legend: a caption, a vertical colour bar from 1 (top) to 0 with tick
// values 0, 0.25, 0.5, 0.75 and 1, and, when some region has no defined
// agreement, a grey swatch saying so. It stands right of the frame, below
// the "Attention:" note and above the "Mismatch Score" caption, inside the
// picture's size.
void DrawAgreementLegend(QPainter& painter, bool withUndefined);
// Where the legend is drawn, with the painter's font metrics.
QRect AgreementLegendRect(const QFontMetrics& metrics, bool withUndefined);

// What the legend's caption says.
inline constexpr const char* kAgreementLegendTitle = "Agreement with the reference";

// Whether any value of a picture's agreement list is undefined (below 0).
bool HasUndefinedAgreement(const std::vector<double>& values);

}  // namespace zenphal
