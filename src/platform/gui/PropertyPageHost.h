#pragma once
// What a property page needs of the sheet it is on: to be told when the
// page's modified state changes, so that the sheet can switch its Apply
// button.

class PropertyPageHost {
public:
    virtual void PageChanged() = 0;

protected:
    ~PropertyPageHost() = default;
};
