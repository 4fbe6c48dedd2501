#pragma once
// The exception class of the window layer: a message for the user, nothing
// else; and the conversion error, which also keeps what its message is made
// of, so that a window can say the same in the user's language.

#include <exception>
#include <string>
#include <utility>

namespace conversions {

// Marks `text` for Qt's translation tools, in the translation context
// `context`: lupdate reads it as QT_TRANSLATE_NOOP (app/CMakeLists.txt says
// so). This library has no Qt; the toolkit translates the text where it shows it.
constexpr const char* translatable(const char* /*context*/, const char* text) { return text; }

class Exception : public std::exception {
public:
    explicit Exception(std::string message) : message_(std::move(message)) {}
    const std::string& Message() const noexcept { return message_; }
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};

// Raised by StrToFloat for text that is not a number: "'abc' is not a valid
// number", or with the field's caption once known, "Omaga: 'abc' is not a
// valid number".
class EConvertError : public Exception {
public:
    enum class Reason { NotANumber, OutOfRange, TooSmall };

    EConvertError(Reason reason, std::string quotedText, std::string caption = {})
        : Exception(englishMessage(reason, quotedText, caption)),
          reason_(reason),
          quotedText_(std::move(quotedText)),
          caption_(std::move(caption)) {}

    Reason reason() const noexcept { return reason_; }
    const std::string& quotedText() const noexcept { return quotedText_; }
    const std::string& caption() const noexcept { return caption_; }

    // The message for a reason, "%1" standing for the quoted text; and the
    // message with its field's caption, "%1: %2" (caption: message). Both in
    // the translation context kTranslationContext.
    static constexpr char kTranslationContext[] = "conversions::EConvertError";
    static const char* pattern(Reason reason) {
        switch (reason) {
            case Reason::OutOfRange:
                return translatable("conversions::EConvertError", "%1 is out of range");
            case Reason::TooSmall:
                return translatable("conversions::EConvertError",
                                    "%1 is too small: it becomes zero");
            case Reason::NotANumber:
                break;
        }
        return translatable("conversions::EConvertError", "%1 is not a valid number");
    }
    static constexpr const char* kCaptioned = translatable("conversions::EConvertError", "%1: %2");

private:
    static std::string englishMessage(Reason reason, const std::string& quotedText,
                                      const std::string& caption) {
        std::string message = pattern(reason);
        message.replace(message.find("%1"), 2, quotedText);
        return caption.empty() ? message : caption + ": " + message;
    }

    Reason reason_;
    std::string quotedText_;
    std::string caption_;
};

}  // namespace conversions
