// imagegen DATA_DIR: paints every image of the game into DATA_DIR/image (tiles under
// image/tiles) and writes the tile catalogue DATA_DIR/misc/tiles.xml.
#include "Painters.h"
#include "Png.h"
#include "Tiles.h"

#include <cstdio>

using namespace Velmora::Tools;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: imagegen DATA_DIR\n");
        return 2;
    }
    const std::string data = argv[1];
    const std::string images = data + "/image";
    MakeDirectories(images + "/tiles");
    bool ok = WriteTiles(BuildTiles(), images, data + "/misc");
    ok = PaintSprites(images) && ok;
    ok = PaintHud(images) && ok;
    ok = PaintEffects(images) && ok;
    ok = PaintSlides(images) && ok;
    // The menu background is composed from the tiles and sprites written above.
    ok = PaintMenus(images) && ok;
    return ok ? 0 : 1;
}
