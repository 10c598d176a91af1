#pragma once

// The maker packet the benchmarks write beside their generated catalogues:
// one maker, so that the master-detail link has a row to follow.
inline const char* const kMakers =
    "<?xml version=\"1.0\" standalone=\"yes\"?><DATAPACKET Version=\"2.0\"><METADATA><FIELDS>"
    "<FIELD attrname=\"maker\" fieldtype=\"string\" WIDTH=\"30\"/>"
    "<FIELD attrname=\"adress\" fieldtype=\"string\" WIDTH=\"60\"/>"
    "<FIELD attrname=\"tel\" fieldtype=\"string\" WIDTH=\"12\"/>"
    "<FIELD attrname=\"fax\" fieldtype=\"string\" WIDTH=\"12\"/>"
    "<FIELD attrname=\"url\" fieldtype=\"string\" WIDTH=\"30\"/>"
    "</FIELDS><PARAMS/></METADATA><ROWDATA>"
    "<ROW maker=\"KSSC\" adress=\"Tokyo\" tel=\"03-0000\" fax=\"03-0001\" "
    "url=\"www.kssc.example.jp\"/>"
    "</ROWDATA></DATAPACKET>";
