// Prints the key colour for every user number and velocity a byte can hold, one
// "user velocity colour" line each, so the page's copy of the colour function can be
// checked against this one.
#include "client/engine/NoteEngine.h"

#include <cstdio>

int main()
{
    for (int user = 0; user < 256; ++user) {
        for (int velocity = 0; velocity < 256; ++velocity) {
            std::printf("%d %d %u\n", user, velocity,
                        unsigned(tamber::PaintKey(uint8_t(user), uint8_t(velocity))));
        }
    }
    return 0;
}
