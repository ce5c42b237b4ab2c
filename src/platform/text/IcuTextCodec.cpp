#include "platform/text/IcuTextCodec.h"

#include "core/text/Utf8.h"
#include "core/text/Windows1252.h"  // isValidUtf8
#include "platform/text/TextCodecs.h"

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ucnv_err.h>

#include <mutex>
#include <vector>

namespace tally {

namespace {

struct ConverterName {
    int codePage;
    const char* icu;
};

// ICU resolves "windows-936" and the like to these too, with an ambiguity warning; 932 is IBM's
// table of Windows-31J (0x5C is '\', not the yen sign), 1250..1258 the IBM tables of the Windows
// pages with the euro sign.
constexpr ConverterName kConverters[] = {
    {874, "windows-874-2000"},    {932, "ibm-943_P15A-2003"},   {936, "windows-936-2000"},
    {949, "windows-949-2000"},    {950, "windows-950-2000"},    {1250, "ibm-5346_P100-1998"},
    {1251, "ibm-5347_P100-1998"}, {1252, "ibm-5348_P100-1997"}, {1253, "ibm-5349_P100-1998"},
    {1254, "ibm-5350_P100-1998"}, {1255, "ibm-9447_P100-2002"}, {1256, "ibm-9448_X100-2005"},
    {1257, "ibm-9449_P100-2002"}, {1258, "ibm-5354_P100-1998"},
};

// ICU's own substitute is U+001A for some single-byte tables; the codec promises U+FFFD, one for
// each sequence the converter gives up on.
void writeReplacement(const void*, UConverterToUnicodeArgs* args, const char*, int32_t,
                      UConverterCallbackReason reason, UErrorCode* error) {
    if (reason > UCNV_IRREGULAR) return;  // reset, close, clone: nothing to write
    static const UChar kReplacement = 0xFFFD;
    *error = U_ZERO_ERROR;
    ucnv_cbToUWriteUChars(args, &kReplacement, 1, 0, error);
}

UConverter* openConverter(const char* name) {
    UErrorCode error = U_ZERO_ERROR;
    UConverter* converter = ucnv_open(name, &error);
    if (U_FAILURE(error) || !converter) return nullptr;
    ucnv_setToUCallBack(converter, writeReplacement, nullptr, nullptr, nullptr, &error);
    ucnv_setFromUCallBack(converter, UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &error);
    // Fallbacks are the one-way mappings (U+00A5 to 0x5C in 932): writing one would change the text.
    ucnv_setFallback(converter, false);
    if (U_FAILURE(error)) {
        ucnv_close(converter);
        return nullptr;
    }
    return converter;
}

void appendUtf16AsUtf8(std::string& out, const UChar* text, std::size_t length, char16_t& pendingHigh) {
    for (std::size_t i = 0; i < length; ++i) {
        const char16_t unit = text[i];
        if (pendingHigh != 0) {
            const char16_t high = pendingHigh;
            pendingHigh = 0;
            if (unit >= 0xDC00 && unit <= 0xDFFF) {
                appendUtf8(out, 0x10000 + ((char32_t(high) - 0xD800) << 10) + (unit - 0xDC00));
                continue;
            }
            appendUtf8(out, 0xFFFD);
        }
        if (unit >= 0xD800 && unit <= 0xDBFF)
            pendingHigh = unit;
        else
            appendUtf8(out, unit);  // a lone low surrogate becomes U+FFFD there
    }
}

// What a converter that cannot be opened (no memory left) still can say: the ASCII part is the same
// in every one of these code pages.
std::string replacedHighBytes(std::string_view bytes) {
    std::string out;
    for (char ch : bytes) {
        if (static_cast<unsigned char>(ch) < 0x80)
            out.push_back(ch);
        else
            appendUtf8(out, 0xFFFD);
    }
    return out;
}

class IcuTextCodec final : public TextCodec {
public:
    IcuTextCodec(int codePage, const char* converterName, UConverter* first)
        : codePage_(codePage), converterName_(converterName), idle_{first} {}

    ~IcuTextCodec() override {
        for (UConverter* converter : idle_) ucnv_close(converter);
    }

    IcuTextCodec(const IcuTextCodec&) = delete;
    IcuTextCodec& operator=(const IcuTextCodec&) = delete;

    int codePage() const override { return codePage_; }
    std::string name() const override { return codePageName(codePage_); }

    std::string toUtf8(std::string_view bytes) const override {
        std::string out;
        if (bytes.empty()) return out;
        Lease lease(*this);
        if (!lease.converter) return replacedHighBytes(bytes);
        out.reserve(bytes.size() + bytes.size() / 2);
        UChar buffer[2048];
        char16_t pendingHigh = 0;
        const char* source = bytes.data();
        const char* sourceEnd = source + bytes.size();
        UErrorCode error = U_ZERO_ERROR;
        do {
            error = U_ZERO_ERROR;
            UChar* target = buffer;
            ucnv_toUnicode(lease.converter, &target, buffer + std::size(buffer), &source, sourceEnd, nullptr,
                           true, &error);
            appendUtf16AsUtf8(out, buffer, static_cast<std::size_t>(target - buffer), pendingHigh);
        } while (error == U_BUFFER_OVERFLOW_ERROR);
        if (pendingHigh != 0) appendUtf8(out, 0xFFFD);
        return out;
    }

    std::optional<std::string> fromUtf8(std::string_view utf8) const override {
        if (!isValidUtf8(utf8)) return std::nullopt;
        std::u16string units;
        units.reserve(utf8.size());
        for (std::size_t at = 0; at < utf8.size();) {
            const char32_t cp = nextUtf8CodePoint(utf8, at);
            if (cp < 0x10000) {
                units.push_back(static_cast<char16_t>(cp));
            } else {
                units.push_back(static_cast<char16_t>(0xD800 + ((cp - 0x10000) >> 10)));
                units.push_back(static_cast<char16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
            }
        }
        Lease lease(*this);
        if (!lease.converter) return std::nullopt;
        std::string out;
        out.reserve(units.size() * 2);
        char buffer[4096];
        const UChar* source = units.data();
        const UChar* sourceEnd = source + units.size();
        UErrorCode error = U_ZERO_ERROR;
        do {
            error = U_ZERO_ERROR;
            char* target = buffer;
            ucnv_fromUnicode(lease.converter, &target, buffer + sizeof buffer, &source, sourceEnd, nullptr,
                             true, &error);
            out.append(buffer, static_cast<std::size_t>(target - buffer));
        } while (error == U_BUFFER_OVERFLOW_ERROR);
        if (U_FAILURE(error)) return std::nullopt;  // a character the code page cannot hold
        return out;
    }

private:
    // A converter holds the state of one conversion, so each call takes one of its own from the
    // idle ones (opening another when all are busy: the passes decode from several threads) and
    // gives it back reset.
    struct Lease {
        explicit Lease(const IcuTextCodec& owner) : codec(owner) {
            {
                std::lock_guard lock(codec.mutex_);
                if (!codec.idle_.empty()) {
                    converter = codec.idle_.back();
                    codec.idle_.pop_back();
                }
            }
            if (!converter) converter = openConverter(codec.converterName_);
        }
        ~Lease() {
            if (!converter) return;
            ucnv_reset(converter);
            std::lock_guard lock(codec.mutex_);
            codec.idle_.push_back(converter);
        }
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;

        const IcuTextCodec& codec;
        UConverter* converter = nullptr;
    };

    int codePage_;
    const char* converterName_;
    mutable std::mutex mutex_;
    mutable std::vector<UConverter*> idle_;
};

}  // namespace

const char* icuConverterName(int codePage) {
    for (const ConverterName& entry : kConverters)
        if (entry.codePage == codePage) return entry.icu;
    return nullptr;
}

std::unique_ptr<TextCodec> makeIcuTextCodec(int codePage) {
    const char* name = icuConverterName(codePage);
    if (!name) return nullptr;
    // Opened once here so that a code page the ICU data lacks gives no codec rather than a codec
    // that fails on every call.
    UConverter* first = openConverter(name);
    if (!first) return nullptr;
    return std::make_unique<IcuTextCodec>(codePage, name, first);
}

}  // namespace tally
