#include "engine/UmuNone.h"

namespace qm {

void TNone::BuildMap()
{
    for (int x = 0; x < X(); ++x) {
        for (int y = 0; y < Y(); ++y) {
            IndexMap(x, y) = 256 * x + y;
        }
    }
    if (ShuffleFlag()) {
        Shuffle();
    }
    for (int x = 0; x < X(); ++x) {
        for (int y = 0; y < Y(); ++y) {
            ResultMap(x, y) = IndexMap(x, y);
        }
    }
}

void TNone::BuildResult()
{
    Result().SetWidth(X());
    Result().SetHeight(Y());
    RenderResultMap(X(), Y());
}

}  // namespace qm
