#include "layer/softrender/blit_rows_general.h"

namespace layer::blit {

RowFunction PlainRow(int index) {
    return GeneralRow<Route::Plain>(index);
}

}  // namespace layer::blit
