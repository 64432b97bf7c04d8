/* stb_image's implementation, for bitmaps only: the skins are .bmp files. */
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_MAX_DIMENSIONS 8192
#include <stb/stb_image.h>
