#include "app/ConverterBinding.h"

VRN_to_NEC_Function converterExport()
{
    return &VRN_to_NEC;
}
