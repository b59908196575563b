#include "model/vector.h"

std::int32_t CVector::Correct() {
    if (m_empty) return 1;
    if (m_tool == 17) {
        ClearCorrection();
        return 1;
    }
    return 1;
}
