// Texts for the codes 1000 to 1043 that the sample image readers and writers of the JPEG
// library's release 6b add to its own messages. Of these the BMP writer raises only 1005.
#include "JpegGlue.h"

const char* const g_jpegAddonMessages[] = {
    NULL,  // 1000
    "Unsupported BMP colormap format",
    "Only 8- and 24-bit BMP files are supported",
    "Invalid BMP file: bad header length",
    "Invalid BMP file: biPlanes not equal to 1",
    "BMP output must be grayscale or RGB",  // 1005
    "Sorry, compressed BMPs not yet supported",
    "Not a BMP file - does not start with BM",
    "%ux%u 24-bit BMP image",
    "%ux%u 8-bit colormapped BMP image",
    "%ux%u 24-bit OS2 BMP image",
    "%ux%u 8-bit colormapped OS2 BMP image",
    "GIF output got confused",
    "Bogus GIF codesize %d",
    "GIF output must be grayscale or RGB",
    "Too few images in GIF file",
    "Not a GIF file",
    "%ux%ux%d GIF image",
    "Warning: unexpected GIF version number '%c%c%c'",
    "Ignoring GIF extension block of type 0x%02x",
    "Caution: nonsquare pixels in input",
    "Corrupt data in GIF file",
    "Bogus char 0x%02x in GIF file, ignoring",
    "Premature end of GIF image",
    "Ran out of GIF bits",
    "PPM output must be grayscale or RGB",
    "Nonnumeric data in PPM file",
    "Not a PPM file",
    "%ux%u PGM image",
    "%ux%u text PGM image",
    "%ux%u PPM image",
    "%ux%u text PPM image",
    "Unsupported Targa colormap format",
    "Invalid or unsupported Targa file",
    "Targa output must be grayscale or RGB",
    "%ux%u RGB Targa image",
    "%ux%u grayscale Targa image",
    "%ux%u colormapped Targa image",
    "Color map file is invalid or of unsupported format",
    "Output file format cannot handle %d colormap entries",
    "ungetc failed",
    "Unrecognized input file format --- perhaps you need -targa",
    "Unsupported output file format",
    NULL,  // 1043
};

static_assert(sizeof g_jpegAddonMessages / sizeof g_jpegAddonMessages[0] ==
                  JPEG_ADDON_LAST_CODE - JPEG_ADDON_FIRST_CODE + 1,
              "one entry per add-on code");
