#include "MenuFixture.h"
