#pragma once
// Names and numbers of the program's resources, shared by tolva.rc and the code that loads them.
// The numbers below are plain macros because the resource compiler reads this file too.

// Wave sounds (resource type "WAVE").
#define TOLVA_WAVE_CONCEAL 1010
#define TOLVA_WAVE_REVEAL 1011
#define TOLVA_WAVE_SOUND_KEY 1012

// Icon groups: the program's own icon (also the tray icon's visible look) and the fully
// transparent tray look.
#define TOLVA_ICON_MAIN "MAINICON"
#define TOLVA_ICON_TRANSPARENT "TRANSPARENT_ICON"

// Bitmaps of the main window's pictures and the tool bar's image strip (11 images of 16 x 16,
// left to right; magenta pixels are transparent).
#define TOLVA_BITMAP_TOLVA "TOLVA_IMAGE"
#define TOLVA_BITMAP_TOLVA_NAME "TOLVA_NAME_IMAGE"
#define TOLVA_BITMAP_MARROWBY "MARROWBY_IMAGE"
#define TOLVA_BITMAP_TOOLBAR "TOOLBAR_IMAGES"
// The maker's web-site name lettering of the about box, 168 x 25.
#define TOLVA_BITMAP_MARROWBY_SITE "MARROWBY_SITE_IMAGE"

// The 16 x 16 pictures of push buttons (magenta pixels are transparent), each with the greyed
// picture shown while the button is disabled: a computer monitor, a document giving off rays.
#define TOLVA_BITMAP_LAUNCH_APP "LAUNCH_APP_GLYPH"
#define TOLVA_BITMAP_LAUNCH_APP_DISABLED "LAUNCH_APP_GLYPH_DISABLED"
#define TOLVA_BITMAP_REFRESH "REFRESH_GLYPH"
#define TOLVA_BITMAP_REFRESH_DISABLED "REFRESH_GLYPH_DISABLED"

// The splash picture: a 480 x 320 baseline JPEG, stored as raw data (RT_RCDATA).
#define TOLVA_JPEG_SPLASH "SPLASH_JPEG"
