#include "art/art.h"

#include "art/art_p.h"

namespace dryer::art {

QImage builtin_picture(int number) {
    switch (number) {
        case 254: return picture_254();
        case 595: return picture_595();
        default: return {};
    }
}

}  // namespace dryer::art
