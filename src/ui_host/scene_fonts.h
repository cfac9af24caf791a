#pragma once

// Maps the font family the scene asks for to families this system may have,
// so Chinese and Latin texts render with a CJK-capable font everywhere. On Linux
// the scene's own font cut is also the application's default family.
void installSceneFontSubstitutes();
