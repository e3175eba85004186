// The pictures built into the program: JPEG streams from resources/, embedded at build time.
#pragma once

extern const unsigned char g_BackgroundJpeg[];  // the playfield, 635 x 460
extern const unsigned int g_BackgroundJpegSize;
extern const unsigned char g_DigitsJpeg[];  // the digit glyph sheet, 120 x 76
extern const unsigned int g_DigitsJpegSize;
extern const unsigned char g_SplashJpeg[];  // the splash picture, 500 x 400
extern const unsigned int g_SplashJpegSize;
