// The movie table: opening a movie with its soundtrack, and closing it.
#include "layer/core/layer_log.h"
#include "layer/media/media_services.h"
#include "layer/media/movie_handles.h"
#include "layer/media/movie_texts.h"
#include "layer/media/theora_decoder.h"
#include "platform/file_system.h"

namespace layer {
namespace {

MovieTable movie_table;

constexpr int kSoundtrackLoadMode = 3;

// The file's Vorbis track as a stream sound reading the same file, when the header search met
// one: another reader could take a video-only file's bytes for sound.
int BuildSoundtrack(const TheoraDecoder* decoder, const char* path) {
    if (decoder->has_vorbis == 0) {
        return -1;
    }
    const int mode = GetSoundLoadMode();
    SetVorbisFileCopySelector(1);
    StoreSoundLoadMode(kSoundtrackLoadMode);
    const int sound = BuildSoundFromFile(path, 1, -1);
    SetVorbisFileCopySelector(0);
    StoreSoundLoadMode(mode);
    return sound;
}

// The Theora attempt: true with the decoder, its soundtrack and the frame size in the record.
bool OpenAsTheora(MovieRecord* movie, const char* path) {
    movie->Files = FileOperationsInForce();
    movie->File = movie->Files.open(path, 0, 0, 0);
    if (movie->File == 0) {
        return false;
    }
    movie->Theora = OpenTheoraStream(movie->Files, movie->File, kMovieStockSize);
    if (movie->Theora == nullptr) {
        movie->Files.close(movie->File);
        movie->File = 0;
        return false;
    }
    movie->Soundtrack = BuildSoundtrack(movie->Theora, path);
    TheoraInfo info;
    QueryTheoraInfo(movie->Theora, &info);
    // With the alpha beside the picture, the movie is the colour half.
    movie->Width = movie->AlphaBeside != 0 ? info.width / 2 : info.width;
    movie->Height = info.height;
    movie->TheoraFlag = 1;
    movie->FrameImage = GetTheoraImage(movie->Theora);
    return true;
}

}  // namespace

int movie_alpha_beside_option = 0;

MovieTable& Movies() {
    return movie_table;
}

MovieRecord* GetMovieRecord(int movie) {
    return movie_table.Find(movie);
}

int OpenMovie(const char* path, int* width, int* height, int mode) {
    if (movie_table.count() == MovieTable::kSize) {
        return -1;
    }
    MovieRecord* movie = nullptr;
    const int handle = movie_table.AddFirstFree(&movie);
    if (handle < 0) {
        return WriteLogFormat("%s", kMovieNoMemoryText);
    }
    movie->AlphaBeside = movie_alpha_beside_option;
    if (!OpenAsTheora(movie, path)) {
        if (OpenDirectShowMovie(movie, path, &movie->Width, &movie->Height, mode) < 0) {
            movie_table.Remove(handle);
            return WriteLogFormat("%s", kMovieOpenFailedText);
        }
        movie->FrameImage = &movie->Streams.frame_copy;
    }
    if (width != nullptr) {
        *width = movie->Width;
    }
    if (height != nullptr) {
        *height = movie->Height;
    }
    movie->Paused = 1;
    movie->PlayRequested = 0;
    movie->PlayType = kMoviePlayOnce;
    return handle;
}

int DisposeMovie(int handle) {
    MovieRecord* movie = movie_table.Find(handle);
    if (movie == nullptr) {
        return -1;
    }
    if (movie->TheoraFlag != 0) {
        // The decode thread reads the file until it has ended.
        CloseTheoraStream(movie->Theora);
        movie->Files.close(movie->File);
        if (movie->Soundtrack >= 0) {
            DeleteSoundHandle(movie->Soundtrack, 0);
        }
    }
    ReleaseMovieStreams(movie);
    if (movie->Streams.temporary_copy != 0) {
        platform::RemoveFile(movie->Streams.path);
    }
    return movie_table.Remove(handle);
}

int SetMovieFrameCallback(int handle, MovieFrameCallback callback, void* user_data) {
    MovieRecord* movie = movie_table.Find(handle);
    if (movie == nullptr) {
        return -1;
    }
    movie->Callback = callback;
    movie->CallbackData = user_data;
    return 0;
}

int ForgetDeliveredMovieFrames() {
    for (int slot = 0; slot < movie_table.used_end(); ++slot) {
        if (MovieRecord* movie = movie_table.AtSlot(slot); movie != nullptr) {
            movie->DeliveredFrame = -1;
        }
    }
    return 0;
}

}  // namespace layer
