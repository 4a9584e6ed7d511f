#!/bin/bash
# run_all.sh CLI INPUTS OUT: every input converted for every simulator; the written
# files, the messages and the exit status kept below OUT.
cli=$1; inputs_dir=$2; out=$3; rm -rf "$out"; mkdir -p "$out"
data=$(cd "$(dirname "$0")/../data" && pwd)
inputs=($inputs_dir/* $data/example_route.txt $data/nav_route.txt $data/route_south_west.txt
        $data/fuzz-seeds/route/* $data/fuzz-seeds/writers/* $data/fuzz-seeds/gpx_reader/*
        $data/fuzz-seeds/msfs_plan_reader/* $data/fuzz-seeds/xplane_plan_reader/*)
for input in "${inputs[@]}"; do
  for sim in fs9 fsx xplane; do
    for super in "" --super80; do
      [ -n "$super" ] && [ "$sim" != fs9 ] && continue
      t=$(mktemp -d); rm -rf $t; mkdir -p $t/app $t/docs $t/xplane "$t/docs/Flight Simulator X Files" "$t/docs/Flight Simulator Files"
      for s in fs9 fsx; do for sub in isg/FlightPlans ifly/737NG/navdata/Fltplan "Level-D Simulations/navdata/Flightplans" Pmdg/Flightplans Modules/FSNavigator/plan Civa MADDOG2008/Routes PTT_KLN90B; do mkdir -p "$t/$s/$sub"; done; done
      cp $data/kln90b/* $t/fs9/PTT_KLN90B/
      printf '[Main]\r\nX-PlaneFolder=%s\r\n' $t/xplane > $t/app/korvanta.ini
      name=$(basename $input)$super.$sim
      (cd $t && "$cli" convert --app-dir $t/app --fs9-dir $t/fs9 --fsx-dir $t/fsx --documents-dir $t/docs \
          --sim $sim $super --runway 25L --cycle 2612 --plan-number 3 "$input" >$t/stdout 2>$t/stderr; echo $? > $t/status)
      rm -f $t/app/korvanta.ini $t/app/temp.tmp; for f in $data/kln90b/*; do rm -f $t/fs9/PTT_KLN90B/$(basename $f); done
      sed -i "s#$t#TREE#g" $t/stdout $t/stderr
      mkdir -p "$out/$name"; cp -r $t/. "$out/$name/"; rm -rf $t
    done
  done
done
