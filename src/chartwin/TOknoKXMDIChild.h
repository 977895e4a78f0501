#pragma once
// Base of the product's MDI child windows: the operations a host calls on any of them, in
// this order in the virtual table. Hosts include this header, test a window with
// inherits("TOknoKXMDIChild") and call the operations through the virtual table.

#include "chartwin/TOknoKX.h"
#include "module/KxAbi.h"

class TOknoKXMDIChild : public TOknoKX {
    Q_OBJECT
public:
    explicit TOknoKXMDIChild(QWidget* parent = nullptr) : TOknoKX(parent) {}
    ~TOknoKXMDIChild() override = default;
    void HakOkna() override {}

    // 1, 2: the host's tag (the module instance that made the window).
    virtual kx::HostTag GetTag() const { return 0; }
    virtual void SetTag(kx::HostTag) {}
    // 3: true when the window shows the chart id_t.
    virtual bool CzyTarcza(int /*id_t*/) const { return false; }
    // 4: empty hook of the base class.
    virtual void Hak() {}
    // 5: with a first value other than 0 and no host record, sets the date to day number
    // (a + b) and runs the date's change handler.
    virtual void UstawDate(int /*a*/, int /*b*/) {}
    // 6: the attached host record, or null.
    virtual kx::KxRekordHosta* RekordHosta() const { return nullptr; }
    // 7: unsaved changes.
    virtual bool CzyZmieniony() const { return false; }
};
