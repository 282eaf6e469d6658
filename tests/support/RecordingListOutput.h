#pragma once

#include "printing/ListDocument.h"
#include "printing/ListOutput.h"

#include <QList>
#include <QPointer>
#include <QStringList>

namespace hoardly::test {

// Keeps each list a window previews or prints instead of showing or printing it.
class RecordingListOutput final : public print::ListOutput {
public:
    struct Request {
        bool preview = false;
        PrintList list = PrintList::Film;
        QList<QStringList> records; // the texts of each record, in the list's order
        int pages = 0;
        QPointer<QWidget> parent;
        // The first field of each record.
        QStringList firstTexts() const {
            QStringList texts;
            for (const QStringList& record : records)
                texts << record.value(0);
            return texts;
        }
    };
    QList<Request> requests;

    void preview(QWidget* parent, const print::ListDocument& document) override {
        keep(true, parent, document);
    }
    void print(QWidget* parent, const print::ListDocument& document) override {
        keep(false, parent, document);
    }

private:
    void keep(bool preview, QWidget* parent, const print::ListDocument& document) {
        Request request;
        request.preview = preview;
        request.list = document.layout().list;
        for (const print::ListRecord& record : document.records())
            request.records << record.texts;
        request.pages = document.pageCount();
        request.parent = parent;
        requests << request;
    }
};

} // namespace hoardly::test
