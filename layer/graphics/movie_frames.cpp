// Movie frames into the graph a movie is bound to: its 2D surface or its texture tiles.
#include <algorithm>

#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/picture_writers_2d.h"
#include "layer/graphics/surface_2d.h"
#include "layer/graphics/surface_data.h"
#include "layer/media/movie_handles.h"
#include "layer/media/theora_decoder.h"
#include "layer/softrender/memimg_convert.h"

namespace layer {
namespace {

// A picture sharing the frame's pixels from a column on; never freed.
GraphImage FrameColumns(const GraphImage& frame, int left, int width) {
    GraphImage view;
    view.format = frame.format;
    view.width = width;
    view.height = frame.height;
    view.pitch = frame.pitch;
    view.pixels = frame.pixels + static_cast<std::ptrdiff_t>(left) * frame.format.bytes_per_pixel;
    return view;
}

// The frame's colour half with its alpha half, as a picture with an alpha picture.
int WriteAlphaBesideFrame(const MovieRecord& movie, const GraphImage& frame, GraphRecord* graph) {
    const GraphImage colour = FrameColumns(frame, 0, movie.Width);
    const GraphImage alpha = FrameColumns(frame, movie.Width, movie.Width);
    PictureSource picture;
    picture.colour = &colour;
    picture.alpha = &alpha;
    return WriteImageToSurface2D(picture, {0, 0, graph->Width, graph->Height}, 0, 0,
                                 graph->Tiles[0], 0);
}

// The decoder converts a new frame into its image; a graph that has not got the image yet
// (the first frame, or one after a display rebuild) takes it too.
bool HasFrameToDeliver(MovieRecord* movie) {
    if (movie->TheoraFlag == 0) {
        return true;
    }
    const int converted = ConvertTheoraFrame(movie->Theora, 1, 0);
    return converted != 0 || movie->DeliveredFrame != GetTheoraFrameNumber(movie->Theora);
}

void NoteFrameDelivered(MovieRecord* movie) {
    if (movie->TheoraFlag != 0) {
        movie->DeliveredFrame = GetTheoraFrameNumber(movie->Theora);
    }
}

}  // namespace

int WriteMovieFrameToGraph2D(MovieRecord* movie, GraphRecord* graph) {
    if (!HasFrameToDeliver(movie)) {
        return 0;
    }
    // Movie graphs keep their pictures in system memory: software images, which take the frame
    // row by row, converted on a 16-bit screen.
    const Surface2D* tile = graph->TileCount > 0 ? GetSurface2D(graph->Tiles[0]) : nullptr;
    SurfaceData* data = tile != nullptr ? GetSurfaceData(tile->SurfaceDataHandle) : nullptr;
    if (data == nullptr || data->MemImgFlag == 0) {
        return -1;
    }
    const GraphImage& frame = *movie->FrameImage;
    const int result = movie->AlphaBeside != 0
                           ? WriteAlphaBesideFrame(*movie, frame, graph)
                           : StoreGraphImageInMemImg(&frame, nullptr, &data->Image, 0, 0,
                                                     std::min(graph->Width, frame.width),
                                                     std::min(graph->Height, frame.height),
                                                     tile->SourceX, tile->SourceY, 0);
    if (result < 0) {
        return -1;
    }
    NoteFrameDelivered(movie);
    return 0;
}

int WriteMovieFrameToTiles(MovieRecord* movie, GraphRecord* graph) {
    if (graph->Key.TextureFlag == 0) {
        return WriteMovieFrameToGraph2D(movie, graph);
    }
    if (!HasFrameToDeliver(movie)) {
        return 0;
    }
    UpdateMovieFrameTiles(*movie->FrameImage, movie->AlphaBeside, graph);
    NoteFrameDelivered(movie);
    return 0;
}

}  // namespace layer
