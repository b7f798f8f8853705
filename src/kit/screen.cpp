#include "kit/screen.h"

#include <QString>

namespace dryer::kit {

QString class_name(const ScreenRow& row) {
    return QString::fromUtf8(row.class_name.data(), static_cast<qsizetype>(row.class_name.size()));
}

}  // namespace dryer::kit
