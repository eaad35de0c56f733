#include "layer/softrender/blit_rows_general.h"

namespace layer::blit {

RowFunction RunTranslucentRow(int index) {
    return GeneralRow<Route::RunTranslucent>(index);
}

}  // namespace layer::blit
