#!/usr/bin/env python3
"""Writes the hand-broken settings files of tests/data/ini/.

The files are committed; run this again only to change them. Bytes are Windows-1250, line
ends are whatever each file is about. The tests in tests/core/test_Korpus.cpp list what each
file must read as.
"""
import os
import random

ADRESAR = os.path.join(os.path.dirname(os.path.abspath(__file__)), "ini")


def soubor(jmeno, obsah):
    if isinstance(obsah, str):
        obsah = obsah.encode("cp1250")
    with open(os.path.join(ADRESAR, jmeno), "wb") as f:
        f.write(obsah)


def radky(*r, konec="\r\n"):
    return konec.join(r) + konec


CELA_CISLA = ["Kodovani", "PocetRadkuOblepky", "RadkuPred", "RadkuPo", "StdPocet",
              "PoleSPoctem"] + [f"{p}{i}" for i in range(1, 6) for p in ("HrZleva", "HrDelka")]


def vsechna_cela(hodnota):
    """Every integer key of every layout, plus LastEtiketa, set to one text."""
    r = ["[Config]", f"LastEtiketa={hodnota}"]
    for n in range(1, 6):
        r.append(f"[Layout{n}]")
        r += [f"{k}={hodnota}" for k in CELA_CISLA]
        r.append(f"Poznamka{n}=zustava")
    return radky(*r)


def main():
    os.makedirs(ADRESAR, exist_ok=True)
    nahoda = random.Random(1250)

    soubor("prazdny.ini", b"")
    soubor("jen_komentare.ini", radky("; komentar", "", ";[Layout1]", ";Nazev=X", ""))
    soubor("binarni_smeti.ini", bytes(nahoda.randrange(1, 256) for _ in range(64 * 1024)))
    soubor("smeti_a_sekce.ini",
           bytes(nahoda.randrange(1, 256) for _ in range(4096)) +
           b"\r\n[Layout2]\r\nNazev=Po smeti\r\n" +
           bytes(nahoda.randrange(1, 256) for _ in range(4096)))
    soubor("nula_uprostred.ini",
           b"[Layout1]\r\nNazev=Pred nulou\r\nPocetRadkuOblepky=9\x00\r\nStdPocet=7\r\n")
    soubor("nula_na_zacatku.ini", b"\x00[Config]\r\nLastEtiketa=2\r\n")
    soubor("jen_cr.ini", radky("[Config]", "LastEtiketa=1", "[Layout1]", "Nazev=CR",
                               "RadkuPo=4", konec="\r"))
    soubor("jen_lf.ini", radky("[Layout1]", "Nazev=LF", "RadkuPred=2", konec="\n"))
    soubor("lf_cr.ini", radky("[Layout1]", "Nazev=LF CR", "StdPocet=12", konec="\n\r"))
    soubor("smisene_konce.ini",
           b"[Layout1]\rNazev=A\nTiskarna=B\r\nInitKody=C\n\r\n\rKodyOdradkovani=D\r")
    soubor("bez_konce.ini", b"[Layout1]\r\nRadkuPo=1\r\nNazev=Konec")
    soubor("dlouhy_radek.ini",
           b"[Layout1]\r\nHrText1=" + b"A" * (1 << 20) + b"\r\nHrDelka1=40\r\n")
    soubor("dlouha_hlavicka.ini",
           b"[" + b"S" * (1 << 20) + b"]\r\nNazev=V dlouhe\r\n[Layout1]\r\nNazev=Za ni\r\n")
    soubor("duplicitni_sekce.ini", radky("[Layout1]", "Nazev=Prvni", "[Layout2]", "Nazev=Dva",
                                         "[LAYOUT1]", "Nazev=Druha", "StdPocet=9"))
    soubor("duplicitni_klic.ini", radky("[Layout1]", "Nazev=Prvni", "NAZEV=Druhy",
                                        "StdPocet=4", "StdPocet=5"))
    soubor("prazdne_sekce.ini", radky("[Config]", "[Layout1]", "[Layout2]", "[Layout3]",
                                      "[Layout4]", "[Layout5]", "[Last]", "[]"))
    soubor("prazdne_hodnoty.ini", radky("[Layout1]", "Nazev=", "Field01=", "Tiskarna=",
                                        "PocetRadkuOblepky=", "HrDelka1="))
    soubor("preteceni.ini", vsechna_cela("2147483648"))
    soubor("preteceni_zaporne.ini", vsechna_cela("-2147483649"))
    soubor("preteceni_dlouhe.ini", vsechna_cela("9" * 400))
    soubor("zaporne.ini", vsechna_cela("-1"))
    soubor("meze.ini", radky("[Layout1]", "RadkuPred=2147483647", "RadkuPo=-2147483648",
                             "StdPocet=+7"))
    soubor("hex.ini", radky("[Layout1]", "HrDelka1=0x28", "HrDelka2=$28", "HrDelka3=x28",
                            "HrDelka4=X28", "HrDelka5=0X28", "StdPocet=$FFFFFFFF",
                            "RadkuPred=$000000028", "RadkuPo=$100000000", "PoleSPoctem=0x",
                            "HrZleva1=-$A"))
    soubor("mezery.ini", radky("[Layout1]", "PocetRadkuOblepky=  5", "RadkuPred=5 ",
                               "StdPocet=\t5", " Nazev=S mezerou", "Nazev =Take",
                               "Tiskarna= Mezera zustava ", "[Layout2]",
                               "PocetRadkuOblepky= ", "RadkuPo=   "))
    soubor("desetinna.ini", radky("[Layout1]", "PocetRadkuOblepky=5.0", "StdPocet=1e3",
                                  "RadkuPo=5,5", "PoleSPoctem=abc", "HrDelka1=--5"))
    soubor("velka_mala.ini", radky("[config]", "lastetiketa=2", "[layout1]", "nazev=X",
                                   "[LAYOUT2]", "NAZEV=Y", "fIeLd01=Z", "[Layout3]",
                                   "hrdelka3=33"))
    soubor("mezery_v_hlavicce.ini", radky("[ Config ]", "LastEtiketa=3", "[Layout1] ",
                                          "Nazev=Bez sekce", "[Layout2]", "[Layout1] ",
                                          "Nazev=V Layout2"))
    soubor("radky_pred_hlavickou.ini", radky("LastEtiketa=2", "Nazev=Nikde", "Volny text",
                                             "[Layout3]", "Nazev=Treti"))
    soubor("cizi_klice.ini", radky("; moje poznamky", "[Layout1]", "Poznamka=x",
                                   "Nazev=Zbozi", "radek bez rovnitka", "[Tiskarny]",
                                   "Sklad=Zebra", "", "[Layout1x]", "Nazev=Jina"))
    soubor("lastetiketa_mimo.ini", radky("[Config]", "LastEtiketa=7"))
    soubor("lastetiketa_16bit.ini", radky("[Config]", "LastEtiketa=65539"))
    soubor("kodovani_16bit.ini", radky("[Layout1]", "Kodovani=65541", "[Layout2]",
                                       "Kodovani=32768", "[Layout3]", "Kodovani=$FFFF"))
    soubor("bom_utf8.ini", b"\xef\xbb\xbf" + radky("[Config]", "LastEtiketa=2", "[Layout1]",
                                                  "Nazev=Po BOM").encode())
    soubor("utf16.ini", radky("[Config]", "LastEtiketa=2").encode("utf-16"))
    soubor("cestina.ini", radky("[Layout1]", "Nazev=Žluťoučký kůň", "Field01=Číslo zboží",
                                "[LAYOUT2]", "Nazev=ŠŤĚRBA"))
    soubor("divne_hlavicky.ini", radky("[", "]", "[Layout1", "Nazev=Nikde", "[[Layout1]]",
                                       "Nazev=Dvojite", "[Layout1]", "[x]y]", "Nazev=Jinde",
                                       "[Layout4]", "Nazev=Ctvrta"))
    soubor("rovnitka.ini", radky("[Layout1]", "InitKody=a=b==c", "=bez jmena", "==",
                                 "KodyOdradkovani=="))
    soubor("ridici_znaky.ini",
           b"[Layout1]\r\nNazev=\x01\x1b[0m\tTab\xff\r\nHrText1=\x7f\x80\x81\r\n")
    soubor("mnoho_sekci.ini",
           "".join(f"[Layout{n % 7}]\r\nNazev=Sekce {n}\r\nStdPocet={n}\r\n"
                   for n in range(1, 20001)).encode())
    soubor("jen_lf_cr_prazdne.ini", b"\n\r\n\r\r\n\n\n\r\r")


if __name__ == "__main__":
    main()
