#include "art/art.h"

#include "art/art_p.h"
#include "art/main_screen_pictures.h"

namespace dryer::art {

QImage builtin_picture(int number) {
    switch (number) {
        case 254: return picture_254();
        case 595: return picture_595();
        default: return main_screen_picture(number);
    }
}

}  // namespace dryer::art
