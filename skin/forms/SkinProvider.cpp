#include "skin/forms/SkinProvider.h"

#include "skin/ControlRoutines.h"

TForm* TSkinProvider::Form() const { return OwnerForm(const_cast<TSkinProvider*>(this)); }
