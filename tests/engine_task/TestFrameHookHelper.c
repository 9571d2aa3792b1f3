/* What the test plug-ins need from a library of their own, found through
 * their run path ($ORIGIN). */
#include <stdint.h>

uint8_t TestHookInvert(uint8_t value) { return (uint8_t)(255 - value); }
