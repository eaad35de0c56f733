#include "layer/softrender/blit_rows_general.h"

namespace layer::blit {

RowFunction RunOpaqueRow(int index) {
    return GeneralRow<Route::RunOpaque>(index);
}

}  // namespace layer::blit
