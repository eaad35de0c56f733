#include "layer/softrender/blit_rows_general.h"

namespace layer::blit {

RowFunction ScaledRow(int index) {
    return GeneralRow<Route::Scaled>(index);
}

}  // namespace layer::blit
