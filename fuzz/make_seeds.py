#!/usr/bin/env python3
"""Writes the starting corpora of the fuzz targets into fuzz/corpus/<target>/.

The documents follow the writer's layout: every key of every kind, in its order, CP1251 with
CR LF. They are small on purpose; the fuzzer grows them."""
import os

HERE = os.path.dirname(os.path.abspath(__file__))
KEYS = ["ObjName", "ObjType", "ObjVisible", "WallType", "WallMaterial", "WallDiameterOuter_R",
        "WallDiameterInner_R", "WallWallWidth_R", "WallArcWidth_R", "BellDiameter_R",
        "BellPosition_R", "PostAngle", "PostWidth_R", "PostHeight_R", "PostBoardDiameter_R",
        "PostPosition_R", "BeemMaterial", "BeemWidth_R", "BeemOrientation", "BeemBeginPoint_R",
        "BeemEndPoint_R"]


def obj(name, kind, **v):
    d = dict(ObjName=name, ObjType=kind, ObjVisible=1, WallType=0, WallMaterial=0,
             WallDiameterOuter_R=5600, WallDiameterInner_R=4000, WallWallWidth_R=800,
             WallArcWidth_R=1500, BellDiameter_R=0, BellPosition_R="0,0", PostAngle=0,
             PostWidth_R=1800, PostHeight_R=800, PostBoardDiameter_R=250,
             PostPosition_R="2800,3800", BeemMaterial=2, BeemWidth_R=100, BeemOrientation=0,
             BeemBeginPoint_R="0,0", BeemEndPoint_R="0,0")
    d.update(v)
    return d


def document(objects):
    lines = ["[Application]", "Version=Тарвоск 1.0.3a - Орвелин"]
    for n, o in enumerate(objects):
        lines.append("[Object%d]" % n)
        lines += ["%s=%s" % (k, o[k]) for k in KEYS]
    return ("\r\n".join(lines) + "\r\n").encode("cp1251")


def base(**walls):
    return [obj("Стены", 0, **walls), obj("Постамент", 3)]


DOCUMENTS = {
    "empty_plan": base(),
    "six_sided_oak": base(WallType=1, WallMaterial=3),
    "eight_sided_hidden": base(WallType=2) + [obj("Колокол", 1, ObjVisible=0, BellDiameter_R=480,
                                                  BellPosition_R="2000,2000")],
    "bells_and_chords": base() + [
        obj("Колокол", 1, BellDiameter_R=1500, BellPosition_R="1500,1500"),
        obj("Колокол1", 1, BellDiameter_R=195, BellPosition_R="4000,1200"),
        obj("Балка", 2, BeemOrientation=5, BeemWidth_R=200, BeemMaterial=4),
        obj("Балка", 2, BeemOrientation=13, BeemWidth_R=51),
        obj("Балка2", 2, BeemBeginPoint_R="900,900", BeemEndPoint_R="4700,4700", BeemMaterial=7)],
    "hex_and_odd_values": base(WallDiameterOuter_R="$1000") + [
        obj("Балка", 2, BeemBeginPoint_R="-15,300", BeemEndPoint_R="1,2,3", BeemWidth_R="0x64")],
}

POINTS = ["2800,4200", "-15,300", "1,2,3", "", ",", "$FF,$-1", "2147483647,-2147483648",
          "2147483648,0", "+7,-0", " 1,2", "abc"]

INI = [b"[View]\r\nObjView=1\r\nObjInsp=0\r\n\r\n; comment\r\n[view]\r\nTools=$0\r\n",
       b"lead=1\n[ A ]\nk = v \r\n[]\n=x\nnovalue\n[B\n]\n",
       "[Раздел]\r\nКлюч=Значение\r\n".encode("cp1251")]


def write(folder, name, data):
    path = os.path.join(HERE, "corpus", folder)
    os.makedirs(path, exist_ok=True)
    with open(os.path.join(path, name), "wb") as f:
        f.write(data)


for name, objects in DOCUMENTS.items():
    write("document", name + ".tarvosk", document(objects))
for i, p in enumerate(POINTS):
    write("point", "p%02d" % i, p.encode())
for i, data in enumerate(INI):
    write("ini", "i%02d" % i, data)
write("ini", "document.tarvosk", document(DOCUMENTS["bells_and_chords"]))
