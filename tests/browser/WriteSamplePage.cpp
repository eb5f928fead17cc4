// SPDX-License-Identifier: MIT
// Makes a real run of tiles from a fixture picture and writes its HTML
// index page and its gallery page, for the browser tests to open, and a
// second gallery page at another place when one is named (counted from the
// output folder).
//
// WriteSamplePage <output folder> <picture> <title> <prefix> <count> <images per row> <image type>
//     [<second gallery page>]

#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

#include "RecordingPlatform.h"
#include "app/run/MakeTiles.h"
#include "app/pages/RunOverview.h"
#include "app/run/UMake.h"
#include "app/pages/UMakeHtml.h"
#include "core/Errors.h"

int main(int argc, char** argv)
{
    if (argc != 8 && argc != 9) {
        std::cerr << "usage: WriteSamplePage <folder> <picture> <title> <prefix> <count> <per row> <type> "
                     "[<gallery>]\n";
        return 2;
    }
    const std::string folder = std::string(argv[1]) + "/";
    const std::string picture = argv[2];
    qm::THtmlParam param;
    param.Title = argv[3];
    param.Prefix = argv[4];
    param.Count = std::atoi(argv[5]);
    param.NumOfCol = std::atoi(argv[6]);
    param.ImageType = static_cast<std::uint8_t>(std::atoi(argv[7]));
    param.OutDirectory = folder;
    param.HtmlFileName = "list.html";
    param.PopupWidth = 400;
    param.PopupHeight = 300;

    qm::RecordingPlatform platform;
    try {
        qm::MakeImages(platform, {.Count = param.Count,
                                  .TransMethod = 1,
                                  .FileName = picture,
                                  .SizeX = 64,
                                  .SizeY = 64,
                                  .Prefix = param.Prefix,
                                  .ImageType = param.ImageType,
                                  .Quality = 90,
                                  .ShadeOffFlag = true,
                                  .BrightnessFlag = true,
                                  .OutDirectory = folder,
                                  .RotateNum = 3,
                                  .FileSelectType = 0});
        qm::MakeHtml(param);
        std::vector<std::string> tiles;
        for (std::int32_t n = 1; n <= param.Count; ++n) {
            tiles.push_back(qm::TilePath(folder, param.Prefix, param.ImageType, n));
        }
        qm::WriteGalleryPage(folder + "gallery.html", folder, tiles);
        if (argc == 9) {
            qm::WriteGalleryPage(folder + argv[8], folder, tiles);
        }
    } catch (const qm::SilentStop&) {
        for (const std::string& box : platform.errorBoxes) {
            std::cerr << box << "\n";
        }
        return 1;
    } catch (const qm::ErrorMessage& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
    return 0;
}
