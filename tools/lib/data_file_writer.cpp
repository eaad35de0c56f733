#include "tools/lib/data_file_writer.h"

namespace tools {

game::DataFileBuffer StartDataFile(const game::DataFileFrame& frame) {
    game::DataFileBuffer cursor;
    const std::vector<std::uint8_t> header(static_cast<std::size_t>(frame.headerLength), 0);
    cursor.WriteDataBytes(header.data(), header.size());
    return cursor;
}

std::vector<std::uint8_t> FinishDataFile(game::DataFileBuffer& cursor,
                                         const game::DataFileFrame& frame,
                                         const game::ScrambleSeeds& seeds) {
    std::vector<std::uint8_t> file = cursor.TakeData();
    game::SealDataFile(file, frame, seeds);
    return file;
}

}  // namespace tools
