#include "engine/util/Records.h"

void InitInputOptions(TInputOptions& AOptions) {
    AOptions = TInputOptions{};
}

void InitOutputOptions(TOutputOptions& AOptions) {
    AOptions = TOutputOptions{};
}
