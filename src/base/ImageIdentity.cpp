#include "base/ImageIdentity.h"

#include <cstdlib>

int NewImageIdentity(const std::function<bool(int)>& isInUse) {
    int id = std::rand();
    while (isInUse && isInUse(id))
        id = std::rand();
    return id;
}
