#pragma once
// The root of the library classes: run-time class names, assignment between objects
// and streamed properties of stored components.
#include "platform/Exception.h"

#include <functional>
#include <string>

class TStream;

class TObject {
public:
    virtual ~TObject() = default;
    virtual const char* ClassName() const { return "TObject"; }
};

// An event carrying the object that fired it. Called only when set.
using TNotifyEvent = std::function<void(TObject* Sender)>;

class TPersistent;

// Collects the streamed properties of an object while it is written or read. Ancestor
// is the object the stored one derives from (null when there is none): a property
// equal to its ancestor's need not be written.
class TFiler {
public:
    using TStreamProc = std::function<void(TStream& Stream)>;

    virtual ~TFiler() = default;
    virtual const TPersistent* Ancestor() const = 0;
    virtual void DefineBinaryProperty(const std::string& Name, TStreamProc ReadData, TStreamProc WriteData,
                                      bool HasData) = 0;
};

class TPersistent : public TObject {
public:
    const char* ClassName() const override { return "TPersistent"; }

    // Copies Source into this object; the base asks Source to assign itself here.
    virtual void Assign(const TPersistent* Source)
    {
        if (Source != nullptr)
            Source->AssignTo(this);
        else
            AssignError(nullptr);
    }

    virtual void DefineProperties(TFiler& /*Filer*/) {}

protected:
    // Copies this object into Dest; the base knows no way to and raises.
    virtual void AssignTo(TPersistent* Dest) const
    {
        Dest->AssignError(this);
    }

    void AssignError(const TPersistent* Source) const
    {
        throw Exception(std::string("Cannot assign a ") + (Source ? Source->ClassName() : "nil") + " to a " +
                        ClassName());
    }
};
