#!/usr/bin/env python3
"""Writes the weights ("*N" after a key line) that the build check's weighting rules ask for.

    python3 data/src/weigh.py

A specific key line must carry at least as many pairs as the broader key lines its words meet, and the key lines of
a question to the program must outweigh everything else a long development message catches. Both depend on every
other key line, so after answers or synonyms change the weights are computed again here, broad key lines first,
and written into the "=" lines of data/src/intents; run build_bases.py afterwards. The widening is the build's own:
the pairs of synonyms.txt, the Ё spellings and the generated word forms, Latin spellings, misspellings and slips.
"""

import math

import build_bases as bb
ё=set(); intents=bb.read_intents(ё)
qs=bb.read_questions(); syn,where=bb.read_synonyms(ё)
pairs0=bb.answer_pairs_of(intents)
syn+=bb.ё_spellings(intents,qs,pairs0,syn)
syn+=bb.generated_pairs(pairs0,syn,bb.read_meanings()[1],bb.SourceError)
answers={}
for i in intents:
    for _,k,_ in i.keys: answers[k]=answers.get(k,0)+len(i.answers)
m=bb.Matcher([(k,'x') for k in answers], syn)
ctx=bb.Context(intents, [(k,'x') for k in answers], m)
weight={k:1 for k in answers}
cnt=lambda k: answers[k]*weight[k]
order=sorted(answers, key=lambda k:(len(k.split()), k))
broader={k:ctx.broader(k) for k in order if ctx.specific(k)}
longs=[]
for i in intents:
    if not bb.asks_program(i): continue
    own={k for _,k,_ in i.keys}
    for _,p in i.paraphrases:
        if len(bb.words_of(bb.key_text(p)))>=bb.LONG_MESSAGE_WORDS:
            hit=[k for k in dict.fromkeys(kk for _,kk,_ in m.matches(p))]
            longs.append((own,hit,p))
for it in range(20):
    changed=False
    for k in order:
        if k not in broader: continue
        need=max(1, math.ceil(sum(cnt(b) for b in broader[k])/answers[k]))
        if need>weight[k]: weight[k]=need; changed=True
    for own,hit,p in longs:
        mine=[k for k in hit if k in own]; others=sum(cnt(k) for k in hit if k not in own)
        have=sum(cnt(k) for k in mine)
        if mine and have<others:
            k=max(mine, key=lambda x:(len(x.split()), answers[x]))
            weight[k]=math.ceil((others-(have-cnt(k)))/answers[k]); changed=True
    if not changed: break
print("pairs", sum(cnt(k) for k in answers), "weighted keys", sum(1 for w in weight.values() if w>1), "iterations", it)
for own,hit,p in longs:
    if not any(k in own for k in hit): print("NO OWN KEY:", p)
for f in sorted((bb.SRC/"intents").glob("*.txt")):
    out=[]
    for line in f.read_text(encoding='utf-8').splitlines():
        if line.startswith('='):
            parts=[]
            for part in line[1:].split('|'):
                words=part.split('*')[0].strip()
                k=" ".join(words.upper().split()).replace('Ё','Е')+" "
                w=weight.get(k,1)
                parts.append(words+(f" *{w}" if w>1 else ""))
            line="= "+" | ".join(parts)
        out.append(line)
    f.write_text("\n".join(out)+"\n", encoding='utf-8')
