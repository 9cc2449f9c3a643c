#pragma once
// The meter's settings record (its context): 72 bytes, 36 words of 16 bits stored high byte
// first. The settings window shows 32 of the words in edits, each as a signed decimal number;
// the words at 0, 2, 30 and 70 are never edited and travel back to the meter and into files as
// they came.
#include <array>
#include <cstdint>
#include <functional>
#include <QString>
#include <span>

constexpr int MeterContextSize = 72;
using TMeterContext = std::array<std::uint8_t, MeterContextSize>;
// The context where it lives (the settings window's field, a test's array).
using TMeterContextRef = std::span<std::uint8_t, MeterContextSize>;
using TMeterContextView = std::span<const std::uint8_t, MeterContextSize>;

// One edited word: the edit that shows it and the word's byte offset in the context.
struct TContextField {
    const char* EditName;
    int Offset;
};

constexpr int ContextFieldCount = 32;
// The edited words in the order the edits are taken into the context. Each word is stored as
// soon as its edit converts, so after a bad edit the ones before it are already in.
extern const std::array<TContextField, ContextFieldCount> ContextFieldsInConversionOrder;

// The word at offset as the edits show it: signed 16-bit decimal.
QString ContextWordText(TMeterContextView context, int offset);
// Converts the text with the platform's string-to-integer conversion (EConvertError for a text
// that is no integer, the context then unchanged) and stores its low 16 bits at offset.
void StoreContextWord(TMeterContextRef context, int offset, const QString& text);

// Every edited word's text, field by field in conversion order.
void ContextToTexts(TMeterContextView context,
                    const std::function<void(const TContextField&, const QString&)>& show);
// Takes every field's text into the context in conversion order; an EConvertError leaves the
// words before the bad field stored and the later ones untouched.
void TextsToContext(TMeterContextRef context,
                    const std::function<QString(const TContextField&)>& textOf);
