#include "QivSkinTestSupport.h"
