#pragma once
#include <functional>

// A new sync group id: a random non-negative int that no open document uses.
int NewImageIdentity(const std::function<bool(int)>& isInUse);
