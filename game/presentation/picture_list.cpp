#include "game/presentation/picture_list.h"

#include <algorithm>

#include "game/presentation/picture_image_cache.h"

namespace game {
namespace {

constexpr int kShownProperty = 9;
constexpr int kMissing = -1;

}  // namespace

PictureList ThePictureList;

PictureList::PictureList(bool releaseImages) {
    ClearPictureList(releaseImages);
}

void PictureList::ClearPictureList(bool releaseImages) {
    Pictures.clear();
    Count = 0;
    Hints = {};
    if (releaseImages)
        ReleaseAllPictureImages();
}

void PictureList::RebuildPictureHints() {
    if (Pictures.empty())
        return;
    Count = static_cast<int>(Pictures.size());
    for (std::size_t k = 0; k < Hints.size(); ++k)
        Hints[k] = Pictures[(k + 1) * Pictures.size() / 4].Number;
}

std::size_t PictureList::FindRangeStart(int first) const {
    std::size_t start = 0;
    for (std::size_t k = 0; k < Hints.size() && Hints[k] < first; ++k)
        start = (k + 1) * static_cast<std::size_t>(std::max(Count, 0)) / 4;
    // Hints that no longer fit the list (a list changed behind them) start from the top.
    if (start > Pictures.size() || (start > 0 && Pictures[start - 1].Number >= first))
        start = 0;
    while (start < Pictures.size() && Pictures[start].Number < first)
        ++start;
    return start;
}

Picture* PictureList::FindPicture(int number) {
    const std::size_t index = FindRangeStart(number);
    if (index < Pictures.size() && Pictures[index].Number == number)
        return &Pictures[index];
    return nullptr;
}

int PictureList::GetPictureInfo(int number, int property) {
    const Picture* picture = FindPicture(number);
    if (picture == nullptr)
        return property == kShownProperty ? 0 : kMissing;
    return picture->GetPictureValue(property);
}

}  // namespace game
