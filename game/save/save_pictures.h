#pragma once

namespace game {

class PictureList;
class SaveBuffer;

// The pictures' part of a save: a 16-bit count, then every picture in list order.
bool WritePictureList(SaveBuffer& save, const PictureList& pictureList);

// Reads the part into a list emptied before; with apply the pictures get their images and
// string pictures their layout back. False once a field does not fit or the count is
// negative.
bool ReadPictureList(SaveBuffer& save, PictureList& pictureList, bool apply);

}  // namespace game
