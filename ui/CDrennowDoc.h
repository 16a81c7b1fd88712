#pragma once
// The program's document: it holds no data. The view owns everything a scan produces.
#include <QObject>

class CDrennowDoc : public QObject {
    Q_OBJECT
public:
    explicit CDrennowDoc(QObject* parent = nullptr) : QObject(parent) {}
    // A new, empty document; always succeeds.
    bool OnNewDocument() { return true; }
};
