#include "SkinFrameFixture.h"
