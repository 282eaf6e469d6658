#include "CodeStorePass.h"

#include "data/Errors.h"
#include "data/SettingsRecord.h"
#include "data/TDM.h"
#include "data/WriteTogether.h"

using namespace Qt::StringLiterals;

namespace hoardly {

namespace {

const QString kKeyField = u"Kid"_s;
const QString kReceiverField = u"Mottagare"_s;
const QString kCodeField = u"Kod"_s;

} // namespace

CodeStorePass::CodeStorePass(TDM& tdm, ScrambleDirection direction, QObject* parent)
    : QObject(parent), tdm_(tdm), direction_(direction) {
    pause_.setObjectName(u"PassPause"_s);
    pause_.setSingleShot(true);
    pause_.setTimerType(Qt::PreciseTimer);
    pause_.setInterval(kPausePerRecord);
    connect(&pause_, &QTimer::timeout, this, &CodeStorePass::pauseOver);
}

std::optional<QString> CodeStorePass::prepare() {
    conversions_.clear();
    Table& kod = tdm_.kodTb();
    kod.open();
    QList<Conversion> conversions;
    std::optional<QString> refusal;
    // One read of the store; the receiver, the code and the key of each record.
    kod.scan({kReceiverField, kCodeField, kKeyField}, [&](const ScanRow& row) {
        const QString code = row.text(1);
        if (const std::optional<char32_t> character = unconvertibleCharacter(code, direction_)) {
            refusal = (direction_ == ScrambleDirection::Scramble
                           ? u"The code of the receiver \"%1\" holds the character %2, which "
                             "cannot be scrambled. No code was changed."_s
                           : u"The code of the receiver \"%1\" holds the character %2, which "
                             "cannot be unscrambled. No code was changed."_s)
                          .arg(row.text(0), describeCharacter(*character));
            return false;
        }
        const QString converted =
            direction_ == ScrambleDirection::Scramble ? ScrambleText(code) : UnscrambleText(code);
        conversions << Conversion{row.value(2).toLongLong(), converted};
        return true;
    });
    if (refusal)
        return refusal;
    conversions_ = conversions;
    return std::nullopt;
}

void CodeStorePass::start() {
    reached_ = 0;
    if (conversions_.isEmpty()) {
        emit finished();
        return;
    }
    reached_ = 1;
    emit advanced(reached_);
    pause_.start();
}

void CodeStorePass::pauseOver() {
    if (reached_ < recordCount()) {
        ++reached_;
        emit advanced(reached_);
        pause_.start();
        return;
    }
    try {
        writeAll();
    } catch (const StoreError& error) {
        emit failed(error.text());
        return;
    }
    emit finished();
}

void CodeStorePass::writeAll() {
    Table& kod = tdm_.kodTb();
    Table& config = tdm_.configTb();
    const int kodPosition = kod.position();
    const SuspendedControls still(kod); // the codes' window repaints once, at the end
    writeTogether({&kod, &config}, [&] {
        writeConversions();
        changeSettings(config, [&] {
            config.setLogical(u"Krypterad"_s, direction_ == ScrambleDirection::Scramble);
        });
    });
    kod.moveTo(kodPosition);
}

void CodeStorePass::writeConversions() {
    Table& kod = tdm_.kodTb();
    const int codeField = kod.fieldIndex(kCodeField);
    int done = 0;
    for (const Conversion& conversion : std::as_const(conversions_)) {
        if (!kod.locate(kKeyField, {conversion.key}))
            throw StoreError(u"A record of the code store went missing during the pass. No code "
                             "was changed."_s);
        kod.edit();
        // The stored form as it is: a scrambled code may take more room than its plain one.
        kod.setValue(codeField, conversion.code);
        kod.post();
        emit written(++done);
    }
}

} // namespace hoardly
