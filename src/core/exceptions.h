#pragma once

#include <QString>

#include <stdexcept>

// An input/output failure: a message for the user and a numeric code.
// The file actions, the PDF export and the calculation raise it or one of
// its descendants; the main window shows the message, translated.
class EInOutError : public std::runtime_error {
public:
    explicit EInOutError(const QString& message, int errorCode = 0);

    const QString& message() const { return m_message; }
    int ErrorCode;

private:
    QString m_message;
};

// The failures of the calculation; the code is held in ErrorCode.
class ESelectionException : public EInOutError {
public:
    ESelectionException(const QString& AMsg, int ACode) : EInOutError(AMsg, ACode) {}
};

// The calculation has nothing to offer for these inputs: shown as information.
class ESelectionInfoException : public ESelectionException {
public:
    using ESelectionException::ESelectionException;
};

// The inputs are wrong or cannot be processed: shown as an error.
class ESelectionErrorException : public ESelectionException {
public:
    using ESelectionException::ESelectionException;
};

// The eight calculation messages. The texts are also translation keys and
// must stay byte for byte as they are.
namespace SelectionMessages {
inline constexpr int NoCompensationNeeded = 280;
inline constexpr int NoBillingData = 281;
inline constexpr int TemperatureAbove35 = 282;
inline constexpr int NoEquipment = 283;
inline constexpr int ProcessingError = 480;
inline constexpr int BillingDataError = 481;
inline constexpr int MaximumPowerNotPositive = 482;
inline constexpr int InputTransformerNotPositive = 483;

QString text(int code);
[[noreturn]] void raise(int code);
} // namespace SelectionMessages
