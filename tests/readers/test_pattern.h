#pragma once
// The picture every fixture shows, pixel by pixel: red, green, blue quadrants and a grey
// ramp (grey files: levels 50, 100, 150 and the ramp; bilevel files: black, white, white,
// black), with an optional alpha ramp in the bottom half.
#include <QImage>
#include <QString>
#include <optional>

namespace readers_test {

enum class Pattern { Colour, Grey, Bilevel };
enum class Alpha { None, Ramp, ClearBottomLeft };

struct Expectation {
    Pattern pattern = Pattern::Colour;
    Alpha alpha = Alpha::None;
    int tolerance = 0;
    bool lossy = false;     // compared by quadrant means and the ramp's direction
    int lossyTolerance = 14;
    bool loose = false;     // lossy, and only "high where full, low where empty"
};

QRgb expectedColour(Pattern pattern, int x, int y, int width, int height);
int expectedAlpha(Alpha alpha, int x, int y, int width, int height);

// How a fixture is compared, from what its name says about it.
Expectation expectationFor(const QString &relativePath);

// The first pixel that differs from the pattern by more than the tolerance, described;
// nothing when the picture matches.
std::optional<QString> firstMismatch(const QImage &picture, const Expectation &e);

// A 24-bit picture of the pattern (for hand-built files).
QImage patternPicture(int width, int height, Pattern pattern = Pattern::Colour);

} // namespace readers_test
