// fontgen OUTPUT_DIR: writes the game's five bitmap fonts and the DejaVu licence into OUTPUT_DIR.
#include "FontWriter.h"
#include "GlyphSource.h"
#include "Png.h"

#include <cstdio>
#include <filesystem>

using namespace Velmora::Tools;

namespace {

const char* const kFontDir = "/usr/share/fonts/truetype/dejavu/";
const char* const kLicence = "/usr/share/doc/fonts-dejavu-core/copyright";

struct FontRecipe {
    const char* mName;
    const char* mFile;
    int mSize;
};

// Sizes are in pixels per em; the game scales HUD text itself, so these are the sharpest sizes
// for a 1280x800 window.
const FontRecipe kRecipes[] = {
    {"default", "DejaVuSans.ttf", 18},
    {"console", "DejaVuSansMono.ttf", 14},
    {"menu", "DejaVuSansCondensed-Bold.ttf", 38},
    {"menu_small", "DejaVuSansCondensed-Bold.ttf", 20},
};

bool CopyLicence(const std::string& directory) {
    std::error_code error;
    std::filesystem::copy_file(kLicence, directory + "/DejaVu-LICENSE.txt",
                               std::filesystem::copy_options::overwrite_existing, error);
    if (error) {
        std::fprintf(stderr, "cannot copy %s: %s\n", kLicence, error.message().c_str());
    }
    return !error;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fontgen OUTPUT_DIR\n");
        return 2;
    }
    const std::string out = argv[1];
    MakeDirectories(out);
    FreeTypeLibrary library;
    bool ok = true;
    for (const FontRecipe& recipe : kRecipes) {
        FontData font;
        font.mName = recipe.mName;
        ok = RasteriseFace(library.Get(), std::string(kFontDir) + recipe.mFile, recipe.mSize, font) &&
            WriteFont(font, out) && ok;
    }
    FontData digital;
    digital.mName = "digital";
    ok = BuildDigitalFont(library.Get(), std::string(kFontDir) + "DejaVuSansMono-Bold.ttf", digital) &&
        WriteFont(digital, out) && ok;
    ok = CopyLicence(out) && ok;
    return ok ? 0 : 1;
}
