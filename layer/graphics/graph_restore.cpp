// The built-in restore handler: lost graphs are loaded again from the files they came from.
#include "layer/graphics/graph_restore.h"

#include <string>

#include "layer/core/file_operation_table.h"
#include "layer/core/layer_log.h"
#include "layer/graphics/graph_lifecycle.h"
#include "layer/graphics/graphics_core.h"
#include "layer/graphics/graphics_system_texts.h"
#include "layer/media/image_creation.h"
#include "layer/media/image_loading.h"
#include "layer/media/image_pixels.h"

namespace layer {
namespace {

constexpr std::size_t kLongestFolder = 128;
constexpr std::size_t kLongestName = 64;

// The pictures of the last file loaded, kept for the next graph of the same file.
struct HeldPictures {
    std::string name;
    std::string folder;
    int option = 0;
    bool held = false;
    bool with_alpha = false;
    GraphImage image;
    GraphImage alpha;

    void Free() {
        FreeGraphImage(&image);
        FreeGraphImage(&alpha);
        held = false;
    }

    bool Holds(const GraphRecord& graph) const {
        return held && name == graph.FileName && folder == graph.FileDir &&
               option == graph.LoadOption;
    }

    bool Load(const GraphRecord& graph) {
        Free();
        DispatchSetCurrentDir(graph.FileDir.c_str());
        const int loaded = LoadImageWithAlpha(graph.FileName.c_str(), nullptr, 0, 0, nullptr, 0, 0,
                                              &image, &alpha, 0);
        if (loaded < 0) {
            return false;
        }
        with_alpha = loaded == 0;
        if (graph.LoadOption == 1) {
            MirrorImageRows(&image);
            if (with_alpha) {
                MirrorImageRows(&alpha);
            }
        }
        name = graph.FileName;
        folder = graph.FileDir;
        option = graph.LoadOption;
        held = true;
        return true;
    }
};

}  // namespace

void ReloadLostGraphs(int) {
    WriteLog(kRestoringGraphsText);
    std::string kept_folder;
    DispatchGetCurrentDir(&kept_folder);
    HeldPictures pictures;
    const int end = graphics_core.graphs.used_end();
    for (int slot = 0; slot < end; ++slot) {
        GraphRecord* graph = graphics_core.graphs.AtSlot(slot);
        if (graph == nullptr || graph->LostFlag == 0 || graph->FileName.empty()) {
            continue;
        }
        if (graph->FileDir.size() > kLongestFolder || graph->FileName.size() > kLongestName ||
            (!pictures.Holds(*graph) && !pictures.Load(*graph))) {
            graph->LostFlag = 0;
            continue;
        }
        PictureSource picture;
        picture.colour = &pictures.image;
        picture.alpha = pictures.with_alpha ? &pictures.alpha : nullptr;
        const std::string name = graph->FileName;
        RewriteGraphImage(picture, name.c_str(), graph->SourceX, graph->SourceY, graph->Handle,
                          graph->LoadOption);
        graph->LostFlag = 0;
    }
    pictures.Free();
    DispatchSetCurrentDir(kept_folder.c_str());
}

}  // namespace layer
