#pragma once
#include <string>

// Root of the class tree: a virtual destructor and the class name.
class TObject {
public:
    virtual ~TObject() = default;
    // The most-derived class name, e.g. "TStringList".
    std::string ClassName() const;
};

// An object whose contents can be copied from another one of a kind it knows.
class TPersistent : public TObject {
public:
    // Copies Source into this object. The base asks Source->AssignTo(this);
    // when neither side knows the other, EConvertError is raised.
    virtual void Assign(const TPersistent* Source);

protected:
    // Copies this object into Dest; the base raises EConvertError.
    virtual void AssignTo(TPersistent* Dest) const;
    void AssignError(const TPersistent* Source) const;
};
