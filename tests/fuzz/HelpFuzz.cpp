// Help files as an editor or a damaged disk may leave them: every section asked for.
#include "FuzzTarget.h"
#include "store/HelpText.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray file = fuzzBytes(data, size);
    for (const char* section : {"frmAnaMenu", "frmCarKart", "", "["})
        HelpLines(file, QLatin1String(section));
    return 0;
}

std::vector<QByteArray> fuzzSeeds()
{
    return {"[frmCarKart]\r\n01=Cari kartlar\r\n001=\xfe\xfd\r\nçöp\r\n[frmAnaMenu]\r\n01=Ana\r\n",
            "[frmCarKart\n=\n\x81\x8d=x\n;01=yorum\n[]\n01=boş\n"};
}
