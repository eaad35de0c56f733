// One description of a picture's record serves the writer and the reader; rows of later
// versions are written and read only when the buffer's version carries them.
#include "game/save/save_pictures.h"

#include <cstdint>
#include <string>

#include "game/core/save_buffer.h"
#include "game/interpreter/main_interpreter.h"
#include "game/presentation/picture.h"
#include "game/presentation/picture_image_cache.h"
#include "game/presentation/picture_list.h"
#include "game/save/save_fields.h"

namespace game {
namespace {

constexpr std::uint16_t kFirstEffectVersion = 105;
constexpr std::uint16_t kFirstFollowVersion = 107;
// The fewest bytes a picture's record takes: a count the rest cannot back is damage.
constexpr std::size_t kSmallestPictureBytes = 84;

class PictureWriter {
  public:
    explicit PictureWriter(SaveBuffer& save) : save_(save) {}
    bool Carries(std::uint16_t from) const { return save_.version() >= from; }
    void Byte(const std::uint8_t& value) { save_.WriteByte(value); }
    void Int(const int& value) { save_.WriteInt(value); }
    void Short(const std::int16_t& value) { WriteInt16(save_, value); }
    void Str16(const std::string& text) { WriteStr16(save_, text); }
    void Apply(const Picture&) {}
    bool ok() const { return true; }

  private:
    SaveBuffer& save_;
};

class PictureReader {
  public:
    PictureReader(SaveBuffer& save, bool apply) : save_(save), apply_(apply) {}
    bool Carries(std::uint16_t from) const { return ok_ && save_.version() >= from; }
    void Byte(std::uint8_t& value) { Take(save_.ReadByte(value)); }
    void Int(int& value) { Take(save_.ReadInt(value)); }
    void Short(std::int16_t& value) { Take(ReadInt16(save_, value)); }
    void Str16(std::string& text) { Take(ReadStr16(save_, text)); }
    // Images and string layouts come back before the rest of the record is read.
    void Apply(Picture& picture) {
        if (ok_ && apply_)
            RestorePictureImage(picture);
    }
    bool ok() const { return ok_; }

  private:
    void Take(bool read) { ok_ = ok_ && read; }

    static void RestorePictureImage(Picture& picture) {
        if (picture.IsStringPicture == 0) {
            const int width = picture.SplitX;
            const int height = picture.SplitY;
            if (picture.IsWindowPicture != 0) {
                PictureControl(picture, picture.ImageName, kWindowPictureCells,
                               kWindowPictureCells);
                picture.SplitX = width;
                picture.SplitY = height;
            } else {
                PictureControl(picture, picture.ImageName, width, height);
            }
            if (picture.ImageHandle != 0)
                picture.Hidden = 0;
            return;
        }
        picture.Hidden = 0;
        picture.Text.Speed = static_cast<double>(TheMainInterpreter.StringPictureSpeed);
        picture.Text.MeasureText(picture.Width, picture.Height);
    }

    SaveBuffer& save_;
    bool apply_;
    bool ok_ = true;
};

template <typename Io, typename P>
bool VisitPicture(Io& io, P& p) {
    io.Int(p.Number);
    io.Byte(p.Erasing), io.Byte(p.Erased);
    io.Short(p.Anchor);
    io.Byte(p.IsStringPicture), io.Byte(p.IsWindowPicture);
    io.Str16(p.IsStringPicture != 0 ? p.Text.SourceText : p.ImageName);
    io.Int(p.TargetX), io.Int(p.TargetY);
    io.Int(p.SplitX), io.Int(p.SplitY);
    io.Apply(p);
    for (auto* field : {&p.Pattern, &p.Opacity, &p.BlendKind, &p.Remaining, &p.Duration, &p.ZoomX,
                        &p.ZoomY, &p.Angle})
        io.Int(*field);
    for (auto* tint : {&p.Tint, &p.StartTint})
        for (auto& channel : *tint)
            io.Int(channel);
    if (io.Carries(kFirstEffectVersion)) {
        for (auto* field :
             {&p.EffectColour, &p.EffectStartColour, &p.EffectColourRemaining,
              &p.EffectColourDuration, &p.EffectOffsetX, &p.EffectOffsetY, &p.EffectStartOffsetX,
              &p.EffectStartOffsetY, &p.EffectOffsetRemaining, &p.EffectOffsetDuration,
              &p.ZoomCentreX, &p.StartZoomCentreX, &p.ZoomCentreY, &p.StartZoomCentreY,
              &p.EffectZoomRemaining, &p.EffectZoomDuration, &p.EffectZoom, &p.StartEffectZoom})
            io.Int(*field);
    }
    if (io.Carries(kFirstFollowVersion))
        io.Byte(p.FollowsMap);
    return io.ok();
}

}  // namespace

bool WritePictureList(SaveBuffer& save, const PictureList& pictureList) {
    WriteInt16(save, static_cast<std::int16_t>(pictureList.Pictures.size()));
    PictureWriter writer(save);
    for (const Picture& picture : pictureList.Pictures)
        VisitPicture(writer, picture);
    return true;
}

bool ReadPictureList(SaveBuffer& save, PictureList& pictureList, bool apply) {
    std::int16_t count = 0;
    if (!ReadInt16(save, count))
        return false;
    if (!save.CountFits(count, kSmallestPictureBytes))
        return false;
    pictureList.Pictures.resize(static_cast<std::size_t>(count));
    PictureReader reader(save, apply);
    for (Picture& picture : pictureList.Pictures) {
        if (!VisitPicture(reader, picture))
            return false;
    }
    pictureList.RebuildPictureHints();
    return true;
}

}  // namespace game
