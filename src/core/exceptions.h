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
// The messages by their codes: information from 280, errors from 480. Only
// these can be raised; a bare number does not convert to a Code.
enum Code : int {
    NoCompensationNeeded = 280,
    NoBillingData = 281,
    TemperatureAbove35 = 282,
    NoEquipment = 283,
    ProcessingError = 480,
    BillingDataError = 481,
    MaximumPowerNotPositive = 482,
    InputTransformerNotPositive = 483,
};

QString text(Code code);
// ESelectionInfoException for 280 to 283, ESelectionErrorException for the
// errors; ErrorCode holds the code.
[[noreturn]] void raise(Code code);
} // namespace SelectionMessages
