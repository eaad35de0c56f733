// Graph records: their flags, their tiles, lookups and deletion.
#include "layer/core/layer_log.h"
#include "layer/core/tracked_memory.h"
#include "layer/graphics/direct3d_side.h"
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/draw_settings.h"
#include "layer/graphics/graph_lifecycle.h"
#include "layer/graphics/graphics_core.h"
#include "layer/graphics/graphics_services.h"
#include "layer/graphics/graphics_texts.h"
#include "layer/media/movie_handles.h"

namespace layer {
namespace {

std::uint8_t Byte(int value) {
    return static_cast<std::uint8_t>(value);
}

// The flags a new graph takes from the caller and the new-graph defaults.
void FillFlags(GraphRecord* record, int want_texture, int alpha_channel, int palette) {
    const NewGraphDefaults& defaults = draw_settings.new_graph;
    FormatKey& key = record->Key;
    key.TextureFlag = want_texture != 0 && defaults.texture_drawing == 1 &&
                              graphics_core.use_3d != 0 && IsSoftwareDrawMode() == 0
                          ? 1
                          : 0;
    record->Mode = defaults.mode_word;
    key.UnmanagedFlag = Byte(defaults.unmanaged);
    if (defaults.draw_valid != 0) {
        key.AlphaChFlag = 0;
        key.DrawValid = 1;
        key.AlphaTestFlag = 0;
        key.BlendGraphFlag = 0;
    } else {
        key.AlphaChFlag = Byte(alpha_channel);
        key.DrawValid = 0;
        key.AlphaTestFlag = Byte(defaults.alpha_test);
        key.BlendGraphFlag = Byte(record->Mode & 0xFF);
    }
    if (key.TextureFlag != 0) {
        key.ColorBitDepth = Byte(defaults.colour_depth != 0 ? defaults.colour_depth
                                 : alpha_channel == 1       ? 32
                                                            : GetScreenColourBits());
        key.SystemMemFlag = 0;
        if (record->Mode == 1) {
            key.ColorBitDepth = 32;
            key.AlphaTestFlag = 0;
            key.AlphaChFlag = 1;
            key.DrawValid = 0;
        }
        return;
    }
    const bool software_only =
        direct_draw.flags.direct_draw_less != 0 && direct_draw.flags.software_drawing != 0;
    key.ColorBitDepth = Byte(defaults.colour_depth != 0 && !software_only ? defaults.colour_depth
                                                                          : GetScreenColourBits());
    key.SystemMemFlag = Byte(defaults.system_memory);
    key.PaletteFlag = Byte(palette);
    key.UnmanagedFlag = 0;
}

}  // namespace

GraphRecord* GetGraphRecord(int handle) {
    return graphics_core.graphs.Find(handle);
}

int IsGraphHandleLive(int value) {
    return GetGraphRecord(value) != nullptr ? 1 : 0;
}

int SetGraphDeleteNotice(int handle, int* notice) {
    GraphRecord* record = GetGraphRecord(handle);
    if (record == nullptr) {
        return -1;
    }
    record->DeleteNotice = notice;
    if (notice != nullptr) {
        *notice = 0;
    }
    return 0;
}

int GetThirdField(const GraphRecord* record) {
    return record->Handle;
}

int GetGraphSlotEnd() {
    return graphics_core.graphs.used_end();
}

int GetGraphHandleInSlot(int slot) {
    return graphics_core.graphs.HandleInSlot(slot);
}

int AllocGraphRecord(int width, int height, int want_texture, GraphRecord** out, int alpha_channel,
                     int palette) {
    GraphRecord* record = nullptr;
    const int handle = graphics_core.graphs.Add(&record);
    record->Handle = handle;
    FillFlags(record, want_texture, alpha_channel, palette);
    record->Width = width;
    record->Height = height;
    record->Movie = -1;
    if (out != nullptr) {
        *out = record;
    }
    return handle;
}

int CreateGraphSurfaces(int width, int height, int want_texture, int alpha_channel, int palette) {
    GraphRecord* record = nullptr;
    const int handle =
        AllocGraphRecord(width, height, want_texture, &record, alpha_channel, palette);
    const int result =
        record->Key.TextureFlag != 0 ? BuildGraphTextures(record) : CreateGraphSurface2D(record);
    if (result < 0) {
        // A graph without its tiles could never be drawn; it does not stay in the table.
        graphics_core.graphs.Remove(handle);
        return WriteLog(kGraphCreationFailedText);
    }
    return handle;
}

int NewGraph(int width, int height, int no_texture) {
    return CreateGraphSurfaces(width, height, no_texture == 0 ? 1 : 0,
                               draw_settings.new_graph.alpha_channel, 0);
}

int DisposeGraph(int graph, int log_flag) {
    GraphRecord* record = GetGraphRecord(graph);
    if (record == nullptr) {
        return -1;
    }
    DisposeMovie(record->Movie);
    if (record->Key.TextureFlag != 0) {
        DeleteGraphTextures(record);
    } else {
        DeleteGraphSurfaces2D(record);
    }
    if (log_flag != 0) {
        WriteLogFormat(kGraphDeletedFormat, record->FileName.c_str());
    }
    FreeTracked(record->OwnedBuffer);
    return graphics_core.graphs.Remove(graph);
}

int DisposeAllGraphs(int log_flag) {
    if (graphics_core.started == 0) {
        return 0;
    }
    graphics_core.graphs.DeleteAll([log_flag](int graph) { DisposeGraph(graph, log_flag); });
    return 0;
}

}  // namespace layer
