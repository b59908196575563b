#pragma once
// The texts the chain preparation shows, byte for byte.

namespace prepare_texts {
inline constexpr const char* kReverseFailed = "Fehler beim Umdrehen.";
inline constexpr const char* kJoinedMessage = " Vektorkette in die gleiche Richtung gedreht !! ";
}  // namespace prepare_texts
