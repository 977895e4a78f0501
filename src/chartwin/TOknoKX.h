#pragma once
// The product's root window class: a form with one virtual hook. A host holds product
// windows as TOknoKX and calls only virtual operations, so it needs no symbol of a module.

#include <QWidget>

class TOknoKX : public QWidget {
    Q_OBJECT
public:
    explicit TOknoKX(QWidget* parent = nullptr) : QWidget(parent) {}
    ~TOknoKX() override = default;
    virtual void HakOkna() {}
};
