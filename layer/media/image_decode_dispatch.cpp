#include "layer/media/image_loaders.h"

namespace layer {

namespace {

// Loaders a program may add in front of the built-in ones; nothing adds any.
constexpr int kUserLoaderSlots = 10;
ImageLoader user_loaders[kUserLoaderSlots] = {};
int user_loader_count = 0;

constexpr ImageLoader kBuiltInLoaders[] = {DecodeBmp,  DecodeJpeg, DecodePng,
                                           DecodeBgra, DecodeTga,  DecodeDds};

bool TryLoader(ImageLoader loader, const BoundStream& stream, GraphImage* image) {
    if (!StreamSeek(stream, 0, 0)) {
        return false;
    }
    *image = GraphImage{};
    return loader(stream, image) == 0;
}

}  // namespace

int DecodeImageFromStream(const BoundStream& stream, GraphImage* image) {
    *image = GraphImage{};
    for (int i = 0; i < user_loader_count; ++i) {
        if (TryLoader(user_loaders[i], stream, image)) {
            return 0;
        }
    }
    for (ImageLoader loader : kBuiltInLoaders) {
        if (TryLoader(loader, stream, image)) {
            return 0;
        }
    }
    *image = GraphImage{};
    return -1;
}

}  // namespace layer
