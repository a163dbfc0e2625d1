#include "sort.h"
// TODO(sort)
