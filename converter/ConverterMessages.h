// The texts the conversion returns to its caller.
#pragma once

#include <string>
#include <string_view>

namespace vrnnec::vrn::messages {

constexpr std::size_t kMaxMessageLength = 255;

// prefix + name + suffix, at most 255 characters: when it would be longer, the name
// is shortened first so that the fixed texts stay whole.
std::string withName(std::string_view prefix, std::string_view name, std::string_view suffix);

// Reading the antenna file.
std::string fileOpenError(std::string_view name);
std::string fileFormatError(std::string_view name);
std::string frequencyNotPositive(std::string_view name);
std::string stackError(std::string_view name);
std::string taperedWires(std::string_view name);
std::string sourceLineError(std::string_view name);
std::string loadTypeError(std::string_view name);
std::string loadLineError(std::string_view name);

// Segmentation and model checks.
std::string segmentationCodeError(std::string_view name);
std::string segmentationTooDense(std::string_view name);
std::string tooManySegments(long long total, std::string_view name);
std::string underPerfectGround(std::string_view name);
std::string touchingRealGround(std::string_view name);
std::string underPerfectGroundOfRealGroundFile(std::string_view name);

// Writing the deck.
std::string deckOpenError();
std::string deckWriteError();
std::string wireNeedsDenserSegmentation(long long wire);
std::string elevationAngleError();

// Values from the caller that no deck can hold.
std::string frequencyNotFinite(std::string_view name);
std::string notFinite(std::string_view what);

} // namespace vrnnec::vrn::messages