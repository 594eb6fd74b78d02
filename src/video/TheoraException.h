#pragma once

#include <exception>
#include <string>

namespace Velmora::Video {

/// The one exception of the player: thrown by createVideoClip (and the data sources) when a
/// movie cannot be opened or its stream headers are damaged. The text names the reason and, for
/// files that cannot be opened, the file.
class TheoraGenericException : public std::exception {
public:
    /// Keeps a copy of the text.
    explicit TheoraGenericException(std::string errorText) : mErrorText(std::move(errorText)) {}

    /// The reason, for example "End of file found prematurely".
    const std::string& getErrorText() const { return mErrorText; }
    /// The same text for code that catches std::exception.
    const char* what() const noexcept override { return mErrorText.c_str(); }

private:
    std::string mErrorText;
};

} // namespace Velmora::Video
